#include "app/screens.h"
#include "quotation/frmCalcMRP.h"
#include "quotation/frmCalculator.h"
#include "quotation/frmFind.h"

// Each opening builds the screen afresh, so it reloads from the database and keeps nothing between uses.

void showPickList(QWidget* parent)
{
    frmFind dialog(parent);
    dialog.exec();
}

void showCostCalculator(QWidget* parent)
{
    frmCalculator dialog(parent);
    dialog.exec();
}

void showMRPCalculator(QWidget* parent)
{
    frmCalcMRP dialog(parent);
    dialog.exec();
}
