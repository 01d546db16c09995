#include "app/notbuiltyet.h"
#include "app/screens.h"
#include "quotation/frmFind.h"

// Each opening builds the screen afresh, so it reloads from the database and keeps nothing between uses.

void showPickList(QWidget* parent)
{
    frmFind dialog(parent);
    dialog.exec();
}

void showCostCalculator(QWidget* parent)
{
    showNotBuiltYet(parent);
}

void showMRPCalculator(QWidget* parent)
{
    showNotBuiltYet(parent);
}
