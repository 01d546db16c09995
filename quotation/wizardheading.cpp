#include "quotation/wizardheading.h"

#include "app/screenheading.h"
#include "app/statusbar.h"
#include "quotation/dialogcontrols.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>

QHBoxLayout* makeWizardHeading(QWidget* step, const QString& heading, const QString& counter)
{
    auto* top = new QHBoxLayout;
    top->addWidget(createScreenHeading(heading, QStringLiteral("lblHeading"), step));
    top->addStretch();
    top->addWidget(new QLabel(counter, step));
    return top;
}

void addWizardFoot(QWidget* step, QVBoxLayout* root, const QString& hints, std::initializer_list<WizardButton> buttons,
                   QMap<int, QPushButton*>& cmdMaster)
{
    auto* bottom = new QHBoxLayout;
    auto* hintLabel = new QLabel(hints, step);
    hintLabel->setWordWrap(true);
    bottom->addWidget(hintLabel, 1);
    auto* column = new QVBoxLayout;
    for (const WizardButton& b : buttons) {
        cmdMaster[b.index] = plainButton(step, QStringLiteral("cmdMaster(%1)").arg(b.index), QLatin1String(b.caption),
                                         QLatin1String(b.tooltip));
        column->addWidget(cmdMaster[b.index]);
    }
    bottom->addLayout(column);
    root->addLayout(bottom);
    root->addWidget(createStatusBar(step));
}
