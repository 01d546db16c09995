#include "app/screens.h"
#include "quotation/frmCalcMRP.h"
#include "quotation/frmCalculator.h"
#include "quotation/frmFind.h"

// Each opening builds the screen afresh, so it reloads from the database and keeps nothing between uses.

void showPickList(QWidget* parent, const QString& currentValue, Step2Link* step2)
{
    frmFind dialog(parent, currentValue, step2);
    dialog.exec();
}

void showCostCalculator(Step2Link& step2, QWidget* parent)
{
    frmCalculator dialog(step2, parent);
    dialog.exec();
}

void showMRPCalculator(Step2Link& step2, QWidget* parent)
{
    frmCalcMRP dialog(step2, parent);
    dialog.exec();
}
