#pragma once

#include <QString>

// SQL texts are joined from fixed pieces and values. Every text value that goes between single quotes
// passes through escapeSqlText, which doubles its apostrophes: text without apostrophes comes out
// unchanged, and a pasted apostrophe can neither break the statement nor add one of its own. A NUL,
// which would end the statement where it stands, is dropped.
QString escapeSqlText(const QString& value);

// A whole number or decimal (optional minus, digits, at most one point) that may be spliced bare.
bool isSqlNumber(const QString& value);

// The word filter of every search box: one `like` condition per word of `text` on `column`, joined by
// `joiner` ("And"/"Or"), in the order typed: "Description like '%a%' And Description like '%b%'". The
// text is split at single blanks; the empty pieces of repeated blanks add nothing. Empty when the text
// holds no word.
QString wordConditions(const QString& column, const QString& text, const QString& joiner);
