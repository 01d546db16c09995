#include "app/notbuiltyet.h"
#include "app/screens.h"

void showQtyPerYear(QWidget* parent)
{
    showNotBuiltYet(parent);
}
