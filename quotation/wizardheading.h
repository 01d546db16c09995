#pragma once

class QHBoxLayout;
class QString;
class QWidget;

// The top line of each wizard step: its heading in large bold type, and the step counter on the right.
QHBoxLayout* makeWizardHeading(QWidget* step, const QString& heading, const QString& counter);
