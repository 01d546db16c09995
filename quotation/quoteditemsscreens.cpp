#include "app/defaultinstance.h"
#include "app/screens.h"
#include "quotation/frmEdit.h"

void showQuotedItemsList()
{
    // A list that is only hidden (the wizard was editing one of its rows) comes back as it was.
    frmEdit& list = DefaultInstance<frmEdit>::get();
    list.show();
    list.raise();
    list.activateWindow();
}

void refreshQuotedItem(qint64 quotationId)
{
    if (frmEdit* list = DefaultInstance<frmEdit>::existing())
        list->RefreshQuotation(quotationId);
}
