#include "app/defaultinstance.h"
#include "app/screens.h"
#include "quotation/frmQ1.h"

void startQuotationWizard()
{
    frmQ1& step1 = DefaultInstance<frmQ1>::get();
    step1.Form_Load();
    step1.show();
    step1.activateWindow();
}
