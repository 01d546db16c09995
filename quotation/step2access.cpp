#include "quotation/step2access.h"

#include <QApplication>
#include <QMetaObject>
#include <QWidget>

QWidget* step2Window()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmQ2"))
            return w;
    return nullptr;
}

bool callStep2(const char* routine)
{
    QWidget* step2 = step2Window();
    return step2 && QMetaObject::invokeMethod(step2, routine, Qt::DirectConnection);
}
