#include "app/defaultinstance.h"
#include "app/screens.h"
#include "masters/frmQtyPerYear.h"

void showQtyPerYear(QWidget* parent)
{
    frmQtyPerYear& screen = DefaultInstance<frmQtyPerYear>::get();
    if (parent)
        screen.setParent(parent, screen.windowFlags());
    screen.exec();
}
