#include "app/notbuiltyet.h"
#include "app/screens.h"

void showMasterEditor(MasterList, QWidget* parent)
{
    showNotBuiltYet(parent);
}

void showMasterTablesMenu(QWidget* parent)
{
    showNotBuiltYet(parent);
}
