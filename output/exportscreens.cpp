#include "app/notbuiltyet.h"
#include "app/screens.h"

void showExportScreen(QWidget* parent)
{
    showNotBuiltYet(parent);
}
