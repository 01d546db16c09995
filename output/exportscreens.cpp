#include "app/defaultinstance.h"
#include "app/screens.h"
#include "output/frmHTML.h"

void showExportScreen(QWidget* parent)
{
    frmHTML& screen = DefaultInstance<frmHTML>::get();
    if (parent && screen.parentWidget() != parent)
        screen.setParent(parent, screen.windowFlags() | Qt::Dialog);
    // The screen releases itself when it closes; it is not touched after exec() returns.
    screen.exec();
}
