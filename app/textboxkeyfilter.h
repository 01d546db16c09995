#pragma once

#include "app/keyfilter.h"

class QLineEdit;

// Puts a key filter on a text box: typed, pasted (keys, context menu, middle button) and dropped
// text goes through the same filter, character by character; a refused character is dropped.
void attachKeyFilter(QLineEdit* edit, KeyFilter filter);
