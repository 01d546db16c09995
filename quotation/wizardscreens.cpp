#include "app/defaultinstance.h"
#include "app/frmMain.h"
#include "app/notbuiltyet.h"
#include "app/screens.h"

void startQuotationWizard()
{
    showNotBuiltYet(nullptr);
    DefaultInstance<frmMain>::get().show();
}
