#include "output/frmPDF.h"

#include "app/screenheading.h"
#include "app/applicationstate.h"
#include "app/defaultinstance.h"
#include "app/focushighlight.h"
#include "app/messagebox.h"
#include "app/statusbar.h"
#include "output/qtyreqdocument.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

frmPDF::frmPDF(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPDF"));
    setWindowTitle(QStringLiteral("Print PDF file of Quantity Required Per Year by KLMT"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* body = new QWidget(this);
    auto* grid = new QGridLayout(body);
    grid->setContentsMargins(24, 16, 24, 16);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(8);
    grid->addWidget(createScreenHeading(QStringLiteral("Print Quantity Required Per Year by KLMT"), QStringLiteral("lblHeading"), body), 0, 0, 1, 2);
    grid->setRowMinimumHeight(1, 8);

    const struct {
        const char* caption;
        const char* info;
    } buttons[] = {
        {"Print PDF of Qty Required Per Year", "Print PDF file of Quantity Required Per Year by KLMT"},
        {"&Close", "Return to Previous Screen"},
    };
    for (int i = 0; i < 2; ++i) {
        auto* button = new QPushButton(QString::fromUtf8(buttons[i].caption), body);
        button->setObjectName(QStringLiteral("cmdMaster(%1)").arg(i));
        button->setMinimumWidth(300);
        button->setAutoDefault(false);
        auto* info = new QLabel(QString::fromUtf8(buttons[i].info), body);
        info->setObjectName(QStringLiteral("lblInfo(%1)").arg(i));
        info->setMinimumWidth(460);
        attachButtonWithInfoLabel(button, info);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdMaster_Click(i); });
        grid->addWidget(button, i + 2, 0);
        grid->addWidget(info, i + 2, 1);
        if (i == 1)
            button->setToolTip(QStringLiteral("Return to Previous Screen"));
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
    layout->addWidget(body, 1);
    layout->addWidget(createStatusBar(this));
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
