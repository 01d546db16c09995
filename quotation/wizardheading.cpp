#include "quotation/wizardheading.h"

#include "app/screenheading.h"

#include <QHBoxLayout>
#include <QLabel>

QHBoxLayout* makeWizardHeading(QWidget* step, const QString& heading, const QString& counter)
{
    auto* top = new QHBoxLayout;
    top->addWidget(createScreenHeading(heading, QStringLiteral("lblHeading"), step));
    top->addStretch();
    top->addWidget(new QLabel(counter, step));
    return top;
}
