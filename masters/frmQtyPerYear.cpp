#include "masters/frmQtyPerYear.h"

#include "app/applicationstate.h"
#include "app/busycursor.h"
#include "app/defaultinstance.h"
#include "app/focushighlight.h"
#include "app/menuframe.h"
#include "app/messagebox.h"
#include "app/screens.h"
#include "app/textboxkeyfilter.h"
#include "app/screenconventions.h"
#include "db/dberror.h"
#include "db/recordset.h"
#include "masters/qtyperyearfilter.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeWidget>

namespace {

QString text(const QVariant& value)
{
    return value.isNull() ? QString() : value.toString();
}

} // namespace

frmQtyPerYear::frmQtyPerYear(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmQtyPerYear"));
    setWindowTitle(QStringLiteral("  Quantity Required Per Year"));

    MenuFrame frame(this, QStringLiteral("Quantity Required Per Year"), QStringLiteral("Label1"));
    QMenuBar* menu = frame.menuBar();
    const auto addMenu = [this, menu](const char* name, const char* caption, void (frmQtyPerYear::*handler)()) {
        QAction* a = menu->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromUtf8(name));
        if (handler)
            connect(a, &QAction::triggered, this, handler);
        return a;
    };
    addMenu("mnuBack", "&Back", nullptr);
    addMenu("mnuFilter", "&Filter", &frmQtyPerYear::Filter);
    addMenu("mnuShowAll", "Show &all", &frmQtyPerYear::ShowAll);
    addMenu("mnuSave", "&Save", nullptr);  // the list is read only
    QAction* mnuPrint = addMenu("mnuPrint", "&Print", nullptr);
    QAction* mnuHtml = addMenu("mnuHtml", "&Html", nullptr);
    addMenu("mnuExcel", "&Excel", nullptr);
    connect(findChild<QAction*>(QStringLiteral("mnuBack")), &QAction::triggered, this, &QWidget::close);
    connect(mnuPrint, &QAction::triggered, this, [this] { showReportPrinting(this); });
    connect(mnuHtml, &QAction::triggered, this, [this] { showExportScreen(this); });

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(6);
    const auto caption = [this](const QString& t) { return new QLabel(t, this); };
    txtGeneric = new QLineEdit(this);
    txtGeneric->setObjectName(QStringLiteral("txtGeneric"));
    txtStrength = new QLineEdit(this);
    txtStrength->setObjectName(QStringLiteral("txtStrength"));
    cboStrength = new QComboBox(this);
    cboStrength->setObjectName(QStringLiteral("cboStrength"));
    // Filled like the others, but the filter reads the strength words only; a second strength field
    // that changes nothing would mislead, so it stays out of sight.
    cboStrength->setVisible(false);
    cboDrugForms = new QComboBox(this);
    cboDrugForms->setObjectName(QStringLiteral("cboDrugForms"));
    cboDrugPacking = new QComboBox(this);
    cboDrugPacking->setObjectName(QStringLiteral("cboDrugPacking"));
    for (QComboBox* c : {cboDrugForms, cboDrugPacking}) {
        c->setMinimumWidth(200);
        c->setMaxVisibleItems(20);
    }
    fields->addWidget(caption(QStringLiteral("Generic")), 0, 0);
    fields->addWidget(txtGeneric, 0, 1);
    fields->addWidget(caption(QStringLiteral("Drug Form")), 0, 2);
    fields->addWidget(cboDrugForms, 0, 3);
    fields->addWidget(caption(QStringLiteral("Strength")), 1, 0);
    fields->addWidget(txtStrength, 1, 1);
    fields->addWidget(caption(QStringLiteral("Drug Packing")), 1, 2);
    fields->addWidget(cboDrugPacking, 1, 3);
    fields->setColumnStretch(1, 3);
    fields->setColumnStretch(3, 2);
    frame.addBelow(fields);

    auto* buttons = new QHBoxLayout;
    const struct {
        const char* caption;
        const char* tip;
    } cmd[] = {
        {"&Close", "Return to Main Menu"},
        {"&Filter", "Show matching generics only"},
        {"Show &All", "Show all"},
        {"&Print PDF", "Print PDF File"},
    };
    // Filter first, Close last: the order a vendor works in.
    QPushButton* cmdMaster[4];
    for (int i = 0; i < 4; ++i) {
        cmdMaster[i] = new QPushButton(QString::fromUtf8(cmd[i].caption), this);
        cmdMaster[i]->setObjectName(QStringLiteral("cmdMaster(%1)").arg(i));
        cmdMaster[i]->setToolTip(QString::fromUtf8(cmd[i].tip));
        cmdMaster[i]->setAutoDefault(false);
        cmdMaster[i]->setMinimumWidth(110);
        attachButtonHighlight(cmdMaster[i]);
    }
    connect(cmdMaster[0], &QPushButton::clicked, this, &QWidget::close);
    connect(cmdMaster[1], &QPushButton::clicked, this, &frmQtyPerYear::Filter);
    for (QLineEdit* box : {txtGeneric, txtStrength})
        pressOnReturn(box, cmdMaster[1]);
    connect(cmdMaster[2], &QPushButton::clicked, this, &frmQtyPerYear::ShowAll);
    connect(cmdMaster[3], &QPushButton::clicked, this, [this] { showQtyReqPdf(this); });
    buttons->addWidget(cmdMaster[1]);
    buttons->addWidget(cmdMaster[2]);
    buttons->addWidget(cmdMaster[3]);
    buttons->addStretch();
    buttons->addWidget(cmdMaster[0]);
    frame.addBelow(buttons);

    const char* info[] = {
        "1.  To find a quantity required per year enter specify generic/strength/drug form/drug packing and click filter button",
        "2.  To view all generics again, click on show all button",
    };
    for (int i = 0; i < 2; ++i) {
        auto* l = new QLabel(QString::fromUtf8(info[i]), this);
        l->setObjectName(QStringLiteral("lblInfo(%1)").arg(i));
        l->setWordWrap(true);
        frame.addBelow(l);
    }

    lvQtyPerYears = new QTreeWidget(this);
    lvQtyPerYears->setObjectName(QStringLiteral("lvQtyPerYears"));
    lvQtyPerYears->setRootIsDecorated(false);
    lvQtyPerYears->setUniformRowHeights(true);
    lvQtyPerYears->setAllColumnsShowFocus(true);
    lvQtyPerYears->setSelectionMode(QAbstractItemView::SingleSelection);
    lvQtyPerYears->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvQtyPerYears->setHeaderLabels({QStringLiteral("GENERIC"), QStringLiteral("STRENGTH"), QStringLiteral("DRUG FORM"),
                                    QStringLiteral("DRUG PACKING"), QStringLiteral("QTY/YEAR")});
    lvQtyPerYears->headerItem()->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
    lvQtyPerYears->setColumnWidth(0, 280);
    lvQtyPerYears->setColumnWidth(1, 150);
    lvQtyPerYears->setColumnWidth(2, 120);
    lvQtyPerYears->setColumnWidth(3, 130);
    lvQtyPerYears->header()->setStretchLastSection(true);
    lvQtyPerYears->setAlternatingRowColors(true);
    frame.addBelow(lvQtyPerYears, 1);

    attachTextHighlight(txtGeneric);
    attachTextHighlight(txtStrength);
    attachKeyFilter(txtGeneric, KeyFilter::NoApostrophe);
    attachKeyFilter(txtStrength, KeyFilter::NoApostrophe);
    for (QComboBox* c : {cboStrength, cboDrugForms, cboDrugPacking})
        attachComboHighlight(c);

    setMinimumSize(640, 420);
    resize(900, 620);
    Form_Load();
}

void frmQtyPerYear::Form_Load()
{
    AppState::MasterEditMode = false;
    FillStrengthCombo();
    FillDrugFormCombo();
    FillDrugPackingCombo();
    LoadQtyList(QtyPerYearFilter::fullListSql());
}

void frmQtyPerYear::fillCombo(QComboBox* combo, const QString& sql)
{
    BusyCursor busy;
    QStringList items{QString()};
    try {
        Recordset rs(sql, AppState::ConnectionString, CursorType::ForwardOnly, LockType::ReadOnly);
        for (; !rs.eof(); rs.moveNext())
            items << text(rs.field(QStringLiteral("Description")));
    } catch (const DbError& e) {
        ShowDbError(e, this);
    }
    combo->clear();
    combo->addItems(items);
}

void frmQtyPerYear::FillStrengthCombo()
{
    fillCombo(cboStrength, QStringLiteral("Select * From CT_Strengths Order By Description"));
}

void frmQtyPerYear::FillDrugFormCombo()
{
    fillCombo(cboDrugForms, QStringLiteral("Select * From CT_DrugForms Order By Description"));
}

void frmQtyPerYear::FillDrugPackingCombo()
{
    fillCombo(cboDrugPacking, QStringLiteral("Select * From CT_DrugPackings Order By Description"));
}

void frmQtyPerYear::LoadQtyList(const QString& sql)
{
    BusyCursor busy;
    QList<QTreeWidgetItem*> items;
    try {
        Recordset rs(sql, AppState::ConnectionString, CursorType::ForwardOnly, LockType::ReadOnly);
        int counter = 1;
        for (; !rs.eof(); rs.moveNext()) {
            auto* item = new QTreeWidgetItem(QStringList{
                text(rs.field(QStringLiteral("Generic"))), text(rs.field(QStringLiteral("Strength"))),
                text(rs.field(QStringLiteral("DrugForm"))), text(rs.field(QStringLiteral("DrugPacking"))),
                text(rs.field(QStringLiteral("QtyReqPerYear")))});
            item->setData(0, KeyRole, QStringLiteral("K") + QString::number(counter++));
            item->setData(0, TagRole, rs.field(QStringLiteral("ID")));
            item->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
            items << item;
        }
        ItemCounter = counter;
    } catch (const DbError& e) {
        // The list stays as it was: a half-read list would look complete.
        qDeleteAll(items);
        ShowDbError(e, this);
        return;
    }
    lvQtyPerYears->clear();
    lvQtyPerYears->addTopLevelItems(items);
}

void frmQtyPerYear::Filter()
{
    const QString where = QtyPerYearFilter::condition(txtGeneric->text(), txtStrength->text(), cboDrugForms->currentText(),
                                                      cboDrugPacking->currentText());
    if (where.isEmpty()) {
        showInfo(this, QStringLiteral("Please enter few characters of a Generic and then click on filter."));
        return;
    }
    LoadQtyList(QtyPerYearFilter::filteredSql(where));
}

void frmQtyPerYear::ShowAll()
{
    LoadQtyList(QtyPerYearFilter::fullListSql());
}

void frmQtyPerYear::done(int result)
{
    QDialog::done(result);
    if (DefaultInstance<frmQtyPerYear>::existing() == this)
        DefaultInstance<frmQtyPerYear>::release();
}
