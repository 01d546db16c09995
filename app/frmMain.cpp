#include "app/frmMain.h"

#include "app/applicationstate.h"
#include "app/defaultinstance.h"
#include "app/statusbar.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setAttribute(Qt::WA_QuitOnClose, true);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* title = new QLabel(central);
    title->setObjectName(QStringLiteral("lblTenderDuration"));
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(16);
    f.setBold(true);
    title->setFont(f);
    layout->addWidget(title);
    auto* vendor = new QLabel(central);
    vendor->setObjectName(QStringLiteral("lblVendor"));
    vendor->setVisible(false);
    layout->addWidget(vendor);
    layout->addStretch();
    setCentralWidget(central);
    setStatusBar(createStatusBar(this, true));
    resize(760, 520);
    Form_Load();
}

void frmMain::Form_Load()
{
    if (!AppState::CurrentVendorName.isEmpty()) {
        auto* vendor = findChild<QLabel*>(QStringLiteral("lblVendor"));
        vendor->setText(QStringLiteral("Vendor: ") + AppState::CurrentVendorName);
        vendor->setVisible(true);
    }
    setWindowTitle(QStringLiteral(" Kelmont Hospital, ") + AppState::CurrentTenderDuration + QStringLiteral(" Submission Software"));
    findChild<QLabel*>(QStringLiteral("lblTenderDuration"))->setText(AppState::CurrentTenderDuration);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    event->accept();
    DefaultInstance<frmMain>::release();
}
