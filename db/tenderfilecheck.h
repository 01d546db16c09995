#pragma once

#include <QString>

// The one look at the tender file before anything else reads it, so that a damaged, empty or foreign
// file is named once, in words the vendor can act on, instead of as an engine message on every screen.
// The check only reads: it never repairs, creates or rewrites the file.
namespace TenderFileCheck {

enum class Problem {
    None,
    Missing,       // no file at the path
    Unreadable,    // the system refuses to read it (detail: the reason)
    Empty,         // zero bytes
    NotEncrypted,  // a plain database, not protected with the tender's password
    WrongKey,      // does not open with the tender's password: damaged, or another kind of file
    NotATender,    // opens, but a table or column of the tender is missing (detail: which)
    Damaged,       // the engine's own check finds damage (detail: its first finding)
};

struct Result {
    Problem problem = Problem::None;
    QString path;
    QString detail;
    bool ok() const { return problem == Problem::None; }
};

// Checks the file named by the connection string through the kept connection (whose key derivation
// the load that follows then reuses); on a problem the connection is closed again.
Result check(const QString& connectionString);

// What is wrong and what to do, for the start-up box: a first line naming the file and the fault,
// then what the vendor can do about it.
QString problemText(const Result& result);

} // namespace TenderFileCheck
