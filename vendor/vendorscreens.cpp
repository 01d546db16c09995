#include "app/notbuiltyet.h"
#include "app/screens.h"

void showVendorDetails(QWidget* parent)
{
    showNotBuiltYet(parent);
}
