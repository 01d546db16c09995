#pragma once

#include <QString>

// Leading and trailing blanks (spaces) removed; other white space (tabs, line breaks) is kept.
QString trimBlanks(const QString& text);
