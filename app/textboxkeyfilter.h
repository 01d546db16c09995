#pragma once

#include "app/keyfilter.h"

class QLineEdit;

// Puts a key filter on a text box: typed, pasted (keys, context menu, middle button) and dropped
// text goes through the same filter, character by character; a refused character is dropped.
// Also drops control characters, as dropControlCharacters does.
void attachKeyFilter(QLineEdit* edit, KeyFilter filter);

// A single-line box never takes a control character (tab, CR, LF and the like): pasted or dropped
// text loses them, so a name copied from a spreadsheet cell or a mail cannot carry a line break or a
// tab into the tender. Every text box of the screens gets this through its key filter or its focus
// highlight; attaching it twice is harmless.
void dropControlCharacters(QLineEdit* edit);
