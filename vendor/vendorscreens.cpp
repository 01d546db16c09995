#include "app/defaultinstance.h"
#include "app/screens.h"
#include "vendor/frmVendor.h"

void showVendorDetails(QWidget* parent)
{
    frmVendor& form = DefaultInstance<frmVendor>::get();
    if (parent && form.parentWidget() != parent)
        form.setParent(parent, form.windowFlags());
    form.exec();
}
