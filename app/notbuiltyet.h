#pragma once

class QWidget;

// Stands in for a screen that is still being built: tells the vendor so and returns.
void showNotBuiltYet(QWidget* parent);
