#include "app/defaultinstance.h"
#include "app/screens.h"
#include "output/frmCrystal.h"
#include "output/frmPDF.h"

namespace {

template <typename Screen>
void showModal(QWidget* parent)
{
    Screen& screen = DefaultInstance<Screen>::get();
    if (parent)
        screen.setParent(parent, screen.windowFlags());
    screen.exec();
}

} // namespace

void showReportPrinting(QWidget* parent)
{
    showModal<frmCrystal>(parent);
}

void showQtyReqPdf(QWidget* parent)
{
    showModal<frmPDF>(parent);
}
