#include "quotation/wizardheading.h"

#include <QHBoxLayout>
#include <QLabel>

QHBoxLayout* makeWizardHeading(QWidget* step, const QString& heading, const QString& counter)
{
    auto* top = new QHBoxLayout;
    auto* title = new QLabel(heading, step);
    QFont f = title->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    title->setFont(f);
    top->addWidget(title);
    top->addStretch();
    top->addWidget(new QLabel(counter, step));
    return top;
}
