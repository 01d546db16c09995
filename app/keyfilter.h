#pragma once

class QString;

// Key filters for text boxes whose text ends up in SQL or in arithmetic. A refused character is dropped.
enum class KeyFilter {
    NoApostrophe,   // everything but the apostrophe
    WholeNumber,    // digits only
    DecimalNumber,  // digits, and one full stop while the text holds none yet
};

// What remains of `typed` once filtered against the box's current text (exposed for the paste path).
QString filterTyped(KeyFilter filter, const QString& currentText, const QString& typed);
