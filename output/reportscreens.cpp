#include "app/notbuiltyet.h"
#include "app/screens.h"

void showReportPrinting(QWidget* parent)
{
    showNotBuiltYet(parent);
}

void showQtyReqPdf(QWidget* parent)
{
    showNotBuiltYet(parent);
}
