#include "output/frmPDF.h"

#include "app/applicationstate.h"
#include "app/defaultinstance.h"
#include "app/menuframe.h"
#include "app/messagebox.h"
#include "output/qtyreqdocument.h"

#include <QPushButton>

frmPDF::frmPDF(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPDF"));
    setWindowTitle(QStringLiteral("Print PDF file of Quantity Required Per Year by KLMT"));

    MenuFrame frame(this, QStringLiteral("Print Quantity Required Per Year by KLMT"));
    const MenuCommand print = frame.addCommand(0, QStringLiteral("Print PDF of Qty Required Per Year"),
                                               QStringLiteral("Print PDF file of Quantity Required Per Year by KLMT"));
    const MenuCommand close = frame.addCommand(1, QStringLiteral("&Close"), QStringLiteral("Return to Previous Screen"));
    close.button->setToolTip(QStringLiteral("Return to Previous Screen"));
    connect(print.button, &QPushButton::clicked, this, [this] { cmdMaster_Click(0); });
    connect(close.button, &QPushButton::clicked, this, [this] { cmdMaster_Click(1); });
}

void frmPDF::cmdMaster_Click(int index)
{
    if (index != 0) {
        close();
        return;
    }
    const QString message = QtyReqDocument::resultMessage(QtyReqDocument::open(AppState::ApplicationFolder));
    if (!message.isEmpty())
        showInfo(this, message);
}

void frmPDF::done(int result)
{
    QDialog::done(result);
    if (DefaultInstance<frmPDF>::existing() == this)
        DefaultInstance<frmPDF>::release();
}
