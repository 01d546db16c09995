#pragma once

#include <QMap>
#include <QString>
#include <initializer_list>

class QHBoxLayout;
class QPushButton;
class QVBoxLayout;
class QWidget;

// The top line of each wizard step: its heading in large bold type, and the step counter on the right.
QHBoxLayout* makeWizardHeading(QWidget* step, const QString& heading, const QString& counter);

// The foot of Steps 2 and 3: the numbered hints, the column of cmdMaster buttons beside them (in the
// order given) and the status bar.
struct WizardButton {
    int index;
    const char* caption;
    const char* tooltip;
};
void addWizardFoot(QWidget* step, QVBoxLayout* root, const QString& hints, std::initializer_list<WizardButton> buttons,
                   QMap<int, QPushButton*>& cmdMaster);
