#pragma once

class QString;

// The maintenance pass behind the main menu's hidden "Trim" button: every CT_Brands row loses the
// leading and trailing blanks of its Generic and Description, all rows or none. Throws DbError.
void trimBrandTexts(const QString& connectionString);
