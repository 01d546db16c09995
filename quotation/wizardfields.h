#pragma once

#include <QString>

class QComboBox;
class QLineEdit;

// How the calculators and the pick-list dialog read and write the wizard's loaded steps, found by
// their screen and control names (Step 1 is "frmQ1", Step 2 is "frmQ2", see step2access.h).

// Sub-item `column` of the row selected in Step 1's brand list (1 brand name, 2 manufacturer,
// 3 generic, ...); empty when Step 1, its list or a selected row is missing.
QString step1SelectedBrandColumn(int column);

QLineEdit* step2LineEdit(const QString& name);  // nullptr when missing
QComboBox* step2Combo(const QString& name);     // nullptr when missing
// The text of a Step 2 text box; empty when missing.
QString step2Text(const QString& name);
// Writes the whole text into a Step 2 text box. Its length limit is there for typing only: a handed
// back figure longer than the limit is written in full, never cut.
void setStep2Text(const QString& name, const QString& text);
// Selects in Step 2's list `listName` the first entry equal to `text` (from index 0), and the same
// index in its parallel list `parallelName`. False, with both lists as they were, when none is equal.
bool selectStep2Entry(const QString& listName, const QString& parallelName, const QString& text);
