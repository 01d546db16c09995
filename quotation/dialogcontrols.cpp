#include "quotation/dialogcontrols.h"

#include "app/focushighlight.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

void lockField(QLineEdit* edit)
{
    edit->setReadOnly(true);
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, QApplication::palette(edit).color(QPalette::Button));
    edit->setPalette(p);
}

QPushButton* plainButton(QWidget* parent, const QString& name, const QString& caption, const QString& tooltip)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(tooltip);
    b->setAutoDefault(false);
    attachButtonHighlight(b);
    return b;
}
