#pragma once

#include <QString>

// SQL texts are joined from fixed pieces and values. Every text value that goes between single quotes
// passes through escapeSqlText, which doubles its apostrophes: text without apostrophes comes out
// unchanged, and a pasted apostrophe can neither break the statement nor add one of its own. A NUL,
// which would end the statement where it stands, is dropped.
QString escapeSqlText(const QString& value);

// A whole number or decimal (optional minus, digits, at most one point) that may be spliced bare.
bool isSqlNumber(const QString& value);
