#include "quotation/lockedfield.h"

#include <QApplication>
#include <QLineEdit>

void lockField(QLineEdit* edit)
{
    edit->setReadOnly(true);
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, QApplication::palette(edit).color(QPalette::Button));
    edit->setPalette(p);
}
