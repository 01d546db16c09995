#pragma once

class QAbstractButton;
class QAbstractItemView;
class QComboBox;
class QLabel;
class QLineEdit;

// The focus highlights that every screen attaches to its controls. They follow the system palette:
// a focused box takes the tooltip colours, an unfocused one the window colours.

// Text box: colours, and the whole text selected on focus (so typing replaces it); with a caption
// label, the label turns bold while the box has the focus.
void attachTextHighlight(QLineEdit* edit, QLabel* captionLabel = nullptr);
// Combo box: background only (the face of one that cannot be typed in).
void attachComboHighlight(QComboBox* combo);
// List view: background and text colours, or background only.
void attachListHighlight(QAbstractItemView* list, bool backgroundOnly = false);
// Button: bold caption while focused.
void attachButtonHighlight(QAbstractButton* button);
// Menu button with its explanation label: the button's caption bold; the label gets a single border,
// bold red text and a font one point larger, and loses all three again with the focus.
void attachButtonWithInfoLabel(QAbstractButton* button, QLabel* infoLabel);
