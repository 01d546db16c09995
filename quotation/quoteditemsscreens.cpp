#include "app/defaultinstance.h"
#include "app/frmMain.h"
#include "app/notbuiltyet.h"
#include "app/screens.h"

void showQuotedItemsList()
{
    showNotBuiltYet(nullptr);
    DefaultInstance<frmMain>::get().show();
}

void refreshQuotedItem(qint64)
{
}
