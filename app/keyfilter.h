#pragma once

class QLineEdit;
class QString;

// Key filters for text boxes whose text ends up in SQL or in arithmetic. A refused character is dropped.
// Pasted or dropped text goes through the same filter, character by character.
enum class KeyFilter {
    NoApostrophe,   // everything but the apostrophe
    WholeNumber,    // digits only
    DecimalNumber,  // digits, and one full stop while the text holds none yet
};

// Also drops control characters, as dropControlCharacters does.
void attachKeyFilter(QLineEdit* edit, KeyFilter filter);

// A single-line box never takes a control character (tab, CR, LF and the like): pasted or dropped
// text loses them, so a name copied from a spreadsheet cell or a mail cannot carry a line break or a
// tab into the tender. Every text box of the screens gets this through its key filter or its focus
// highlight; attaching it twice is harmless.
void dropControlCharacters(QLineEdit* edit);

// What remains of `typed` once filtered against the box's current text (exposed for the paste path).
QString filterTyped(KeyFilter filter, const QString& currentText, const QString& typed);
