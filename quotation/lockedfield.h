#pragma once

class QLineEdit;

// A locked (read-only) box with the button-face background, as the calculators show their
// descriptions and results.
void lockField(QLineEdit* edit);
