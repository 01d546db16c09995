#pragma once

#include <QString>

struct sqlite3;

// A consistent copy of an open keyed database, taken with the engine's online backup rather than by
// copying the bytes of a file that is open (a write in flight would tear the copy). The copy is keyed
// with `password` and written under a temporary name beside `path`, moved into place only when
// complete; on failure nothing is left at either name. Throws DbError.
void writeBackupCopy(sqlite3* source, const QString& path, const QString& password);
