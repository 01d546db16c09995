#include "quotation/frmImport.h"

#include "app/applicationstate.h"
#include "app/busycursor.h"
#include "app/focushighlight.h"
#include "app/messagebox.h"
#include "app/platformseams.h"
#include "db/dberror.h"
#include "output/frmHTML.h"

#include <QDateTime>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

frmImport::frmImport(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(QStringLiteral("Import Price List"));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* cmdChoose = new QPushButton(QStringLiteral("&Choose File..."), this);
    cmdChoose->setObjectName(QStringLiteral("cmdChoose"));
    attachButtonHighlight(cmdChoose);
    top->addWidget(cmdChoose);
    lblFile = new QLabel(this);
    lblFile->setObjectName(QStringLiteral("lblFile"));
    top->addWidget(lblFile, 1);
    layout->addLayout(top);

    lvPreview = new QTreeWidget(this);
    lvPreview->setObjectName(QStringLiteral("lvPreview"));
    lvPreview->setHeaderLabels({QStringLiteral("LINE"), QStringLiteral("BRAND"), QStringLiteral("PACKING"),
                                QStringLiteral("ACTION"), QStringLiteral("REASON")});
    lvPreview->setRootIsDecorated(false);
    lvPreview->setUniformRowHeights(true);
    lvPreview->setAllColumnsShowFocus(true);
    constexpr int Widths[] = {60, 230, 130, 80};
    for (int c = 0; c < 4; ++c)
        lvPreview->setColumnWidth(c, Widths[c]);
    layout->addWidget(lvPreview, 1);

    lblSummary = new QLabel(this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    layout->addWidget(lblSummary);

    auto* buttons = new QHBoxLayout;
    cmdApply = new QPushButton(QStringLiteral("&Import"), this);
    cmdApply->setObjectName(QStringLiteral("cmdApply"));
    cmdApply->setEnabled(false);
    auto* cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    for (QPushButton* b : {cmdApply, cmdClose}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
        attachButtonHighlight(b);
    }
    buttons->addStretch();
    buttons->addWidget(cmdApply);
    buttons->addWidget(cmdClose);
    layout->addLayout(buttons);

    connect(cmdChoose, &QPushButton::clicked, this, &frmImport::cmdChoose_Click);
    connect(cmdApply, &QPushButton::clicked, this, &frmImport::cmdApply_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    resize(900, 560);
}

void frmImport::cmdChoose_Click()
{
    OpenFilesRequest request;
    request.parent = this;
    request.title = QStringLiteral("Import Price List");
    request.initialFolder = exportInitialFolder();
    request.filter = QStringLiteral("Excel Workbook (*.xlsx);;CSV File (*.csv)");
    const QStringList chosen = OpenFilesDialogSeam::call(request);
    if (chosen.isEmpty())
        return;
    const QString path = chosen.front();
    m_preview = {};
    try {
        BusyCursor busy;
        m_preview = PriceListImport::prepare(PriceListImport::readFile(path), AppState::CurrentVendorName);
    } catch (const Sheets::ReadError& e) {
        BusyCursor::restoreAll();
        showInfo(this, e.message());
    } catch (const DbError& e) {
        ShowDbError(e, this);
    }
    lblFile->setText(QDir::toNativeSeparators(path));
    showPreview();
}

void frmImport::showPreview()
{
    lvPreview->clear();
    QList<QTreeWidgetItem*> items;
    for (const PriceListImport::Line& l : m_preview.lines)
        items << new QTreeWidgetItem(QStringList{QString::number(l.line), l.brand, l.packing,
                                                 PriceListImport::actionText(l.action), QString(l.reason).replace(QStringLiteral("\r\n"), QStringLiteral(" "))});
    lvPreview->addTopLevelItems(items);
    lblSummary->setText(m_preview.lines.empty() ? QString() : m_preview.summary());
    cmdApply->setEnabled(m_preview.count(PriceListImport::Action::New) + m_preview.count(PriceListImport::Action::Update) > 0);
}

void frmImport::cmdApply_Click()
{
    int stored = 0;
    try {
        BusyCursor busy;
        stored = PriceListImport::apply(m_preview, QDateTime::currentDateTime());
    } catch (const DbError& e) {
        ShowDbError(e, this);
        return;
    }
    m_imported = true;
    // What was stored is no longer new: choosing again starts from the file.
    m_preview = {};
    showPreview();
    showInfo(this, QStringLiteral("%1 items imported").arg(stored));
}
