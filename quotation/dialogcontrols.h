#pragma once

class QLineEdit;
class QPushButton;
class QString;
class QWidget;

// Small pieces the pick-list dialog and the calculators share.

// A locked (read-only) box with the button-face background, as the calculators show their
// descriptions and results.
void lockField(QLineEdit* edit);

// A command button with its name, caption, tooltip and the bold-on-focus highlight. It is never an
// auto-default button: Enter in a field must not press a button the user did not choose.
QPushButton* plainButton(QWidget* parent, const QString& name, const QString& caption, const QString& tooltip);
