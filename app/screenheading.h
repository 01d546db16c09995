#pragma once

class QLabel;
class QString;
class QWidget;

// The large bold heading at the top of a screen, in the same style on every screen.
QLabel* createScreenHeading(const QString& text, const QString& objectName, QWidget* parent);
