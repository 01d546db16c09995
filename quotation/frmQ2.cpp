#include "quotation/frmQ2.h"

#include "quotation/wizardheading.h"
#include "app/applicationstate.h"
#include "app/busycursor.h"
#include "app/decimal.h"
#include "app/defaultinstance.h"
#include "app/focushighlight.h"
#include "app/textboxkeyfilter.h"
#include "app/messagebox.h"
#include "app/removeclosebutton.h"
#include "app/screens.h"
#include "app/statusbar.h"
#include "db/dberror.h"
#include "db/recordset.h"
#include "quotation/frmQ1.h"
#include "quotation/frmQ3.h"
#include "quotation/pricing.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

const QString CRLF = QStringLiteral("\r\n");
const QString QuantityCaption = QStringLiteral("Quantity in each Strip/Pack");

// Design captions of the unit-word labels, and the words around the packing (P) or form (F) once chosen.
struct UnitCaption {
    int index;
    const char* design;
    const char* before;
    const char* after;
};
const UnitCaption PackingCaptions[] = {
    {0, "Cost of ____ before Discount", "Cost of ", " before Discount"},
    {1, "Cost of ____ after Discount without Tax", "Cost of ", " after Discount without Tax"},
    {2, "Cost of ____ after Discount with Tax", "Cost of ", " after Discount with Tax"},
    {4, "MRP of ____ with Tax", "MRP of ", " with Tax"},
    {5, "MRP of ____ without Tax", "MRP of ", " without Tax"},
    {6, "Cost of ___ before Discount without Tax", "Cost of ", " before Discount without Tax"},
    {7, "MRP of ___ without Tax", "MRP of ", " without Tax"},
    {10, "MRP of ___ with Tax", "MRP of ", " with Tax"},
};
const UnitCaption LowestUnitCaptions[] = {
    {0, "Cost of ____ before Discount", "Cost of ", " before Discount"},
    {1, "Cost of ____ after Discount without Tax", "Cost of ", " after Discount without Tax"},
    {2, "Cost of ____ after Discount with Tax", "Cost of ", " after Discount with Tax"},
    {3, "MRP of ____ with Tax", "MRP of ", " with Tax"},
    {4, "MRP of ____ without Tax", "MRP of ", " without Tax"},
};

const char* const CostSummaryFields[] = {"txtCostBefDisc",   "txtDiscAmt",    "txtCostAftDisc",   "txtVATAmt",
                                         "txtCostAftVAT",    "txtCostLUBefDisc", "txtLUDiscAmt", "txtCostLUAftDisc",
                                         "txtLUVATAmt",      "txtCostLUAftVAT"};
const char* const MrpSummaryFields[] = {"txtMRPWithVAT",   "txtMRPVATAmt",   "txtMRPWithoutVAT",
                                        "txtMRPWithVATLU", "txtMRPVATAmtLU", "txtMRPWithoutVATLU"};

QString storedText(const Recordset& rs, const char* column)
{
    const QVariant v = rs.field(QLatin1String(column));
    return v.isNull() ? QString() : v.toString();
}

void greyOut(QLineEdit* e)
{
    QPalette p = e->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Button));
    e->setPalette(p);
}

// A small calculator drawn in code: body, display and a 3 x 3 keypad.
QIcon calculatorIcon()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(200, 200, 210));
    p.drawRoundedRect(3, 1, 18, 22, 2, 2);
    p.setBrush(QColor(150, 200, 150));
    p.drawRect(6, 4, 12, 5);
    p.setBrush(QColor(90, 90, 100));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            p.drawRect(6 + c * 4, 11 + r * 4, 2, 2);
    return QIcon(pm);
}

} // namespace

frmQ2::frmQ2(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmQ2"));
    // Only the main menu ends the application; a wizard step closing never does, even when it was the
    // last window shown at that moment.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Enter Quotation - Specify Cost & MRP of the Item..."));
    buildUi();
    FillStrengths(QStringLiteral("Select * From CT_Strengths Order By Description"));
    FillDrugForms(QStringLiteral("Select * From CT_DrugForms Order By Description"));
    FillDrugPackings(QStringLiteral("Select * From CT_DrugPackings Order By Description"));
    FillTaxes(QStringLiteral("Select * From CT_Tax Order By TAX"));
    RemoveCloseButton(this);
}

QLineEdit* frmQ2::edit(const char* name) const
{
    return findChild<QLineEdit*>(QLatin1String(name));
}

QComboBox* frmQ2::combo(const char* name) const
{
    return findChild<QComboBox*>(QLatin1String(name));
}

QLabel* frmQ2::label(const QString& name) const
{
    return findChild<QLabel*>(name);
}

void frmQ2::buildUi()
{
    auto* root = new QVBoxLayout(this);
    root->addLayout(makeWizardHeading(this, QStringLiteral("Specify Cost & MRP of the Item..."), QStringLiteral("Screen 2 of 3")));

    // The hidden lists: reference rows and the numbers that belong to them, index for index.
    for (const char* name : {"cboDrugPacking", "cboDrugPackingP", "cboDrugForms", "cboStrength", "cboCostVATP",
                             "cboMRPVATP"}) {
        auto* c = new QComboBox(this);
        c->setObjectName(QLatin1String(name));
        c->setVisible(false);
        c->setFocusPolicy(Qt::NoFocus);
    }
    for (const char* name : {"cboDrugPacking", "cboDrugForms", "cboStrength"})
        attachComboHighlight(combo(name));

    root->addWidget(buildEntryBlock());
    root->addWidget(buildSummaryBlock());

    auto* bottom = new QHBoxLayout;
    auto* hints = new QLabel(QStringLiteral("1.  Complete the above form. All the columns are mandatory.\n"
                                            "2.  You may use the cost calculator and MRP calculator if needed.\n"
                                            "3.  Verify the cost summary and MRP summary after entering details.\n"
                                            "4.  If quoted item is approved, purchase order will be made with the "
                                            "description, cost and MRP you have selected/entered.\n"
                                            "5.  Click next to continue"),
                             this);
    hints->setWordWrap(true);
    bottom->addWidget(hints, 1);
    auto makeButton = [this](int index, const QString& caption, const QString& tip) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QStringLiteral("cmdMaster(%1)").arg(index));
        b->setToolTip(tip);
        b->setAutoDefault(false);
        attachButtonHighlight(b);
        cmdMaster.insert(index, b);
        return b;
    };
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(makeButton(1, QStringLiteral("&Next"), QStringLiteral("Go to next screen")));
    buttons->addWidget(makeButton(5, QStringLiteral("&Clear"), QStringLiteral("Clear data on this screen")));
    buttons->addWidget(makeButton(0, QStringLiteral("&Back"), QStringLiteral("Go to previous screen")));
    bottom->addLayout(buttons);
    root->addLayout(bottom);
    root->addWidget(createStatusBar(this));

    connect(cmdMaster[0], &QPushButton::clicked, this, &frmQ2::cmdBack);
    connect(cmdMaster[1], &QPushButton::clicked, this, &frmQ2::cmdNext);
    connect(cmdMaster[5], &QPushButton::clicked, this, &frmQ2::cmdClear);
    connect(combo("cboDrugPacking"), &QComboBox::currentIndexChanged, this, [this] { cboDrugPacking_Click(); });
    connect(combo("cboDrugForms"), &QComboBox::currentIndexChanged, this, [this] { cboDrugForms_Click(); });
    // The MRP tax always follows the cost tax.
    connect(combo("cboCostVAT"), &QComboBox::currentIndexChanged, this,
            [this](int index) { combo("cboMRPVAT")->setCurrentIndex(index); });

    // Tab order of the entry fields, then the buttons; the read-only fields come after them.
    const QList<QWidget*> order = {edit("txtManufacturer"), edit("txtHSNCode"), edit("txtDrugPacking"), cmdCT[0],
                                   edit("txtDrugForm"),     cmdCT[1],           edit("txtDrugStrength"), cmdCT[2],
                                   edit("txtCost"),         edit("txtDiscount"), combo("cboCostVAT"),
                                   edit("txtMRPWithTax"),   edit("txtMRP"),     combo("cboMRPVAT"),
                                   cmdMaster[1],            cmdMaster[5],       cmdMaster[0]};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    resize(1000, 780);
}

QWidget* frmQ2::buildEntryBlock()
{
    auto* block = new QWidget(this);
    auto* row = new QHBoxLayout(block);
    row->setContentsMargins(0, 0, 0, 0);

    auto makeEdit = [this](QWidget* parent, const char* name) {
        auto* e = new QLineEdit(parent);
        e->setObjectName(QLatin1String(name));
        return e;
    };
    auto makeLabel = [](QWidget* parent, const QString& name, const QString& caption) {
        auto* l = new QLabel(caption, parent);
        if (!name.isEmpty())
            l->setObjectName(name);
        return l;
    };
    auto makeCT = [this](QWidget* parent, int index, const QString& tip) {
        auto* b = new QPushButton(QStringLiteral("..."), parent);
        b->setObjectName(QStringLiteral("cmdCT(%1)").arg(index));
        b->setToolTip(tip);
        b->setAutoDefault(false);
        QFont f = b->font();
        f.setStretch(QFont::Condensed);
        b->setFont(f);
        b->setFixedWidth(30);
        attachButtonHighlight(b);
        cmdCT.insert(index, b);
        connect(b, &QPushButton::clicked, this, [this, index] { index == 3 ? cmdAddTax() : cmdCT_Click(index); });
        return b;
    };

    // The item: brand, generic, manufacturer, HSN code, packing, form and strength.
    auto* item = new QGroupBox(QStringLiteral("DRUG AVAILABLE IN PACKING"), block);
    auto* g = new QGridLayout(item);
    int r = 0;
    for (auto [name, caption] : {std::pair{"txtBrand", "Brand"}, std::pair{"txtGeneric", "Generic"}}) {
        auto* e = makeEdit(item, name);
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        QFont f = e->font();
        f.setBold(true);
        e->setFont(f);
        greyOut(e);
        g->addWidget(makeLabel(item, {}, QLatin1String(caption)), r, 0);
        g->addWidget(e, r++, 1, 1, 2);
    }
    auto* manufacturer = makeEdit(item, "txtManufacturer");
    manufacturer->setMaxLength(200);
    attachKeyFilter(manufacturer, KeyFilter::NoApostrophe);
    attachTextHighlight(manufacturer);
    g->addWidget(makeLabel(item, {}, QStringLiteral("Manufacturer")), r, 0);
    g->addWidget(manufacturer, r++, 1, 1, 2);
    auto* hsn = makeEdit(item, "txtHSNCode");
    hsn->setMaxLength(12);
    attachKeyFilter(hsn, KeyFilter::WholeNumber);
    attachTextHighlight(hsn);
    g->addWidget(makeLabel(item, {}, QStringLiteral("HSN Code")), r, 0);
    g->addWidget(hsn, r++, 1, 1, 2);
    const char* picked[] = {"txtDrugPacking", "txtDrugForm", "txtDrugStrength"};
    const char* pickedCaptions[] = {"Drug Packing", "Drug Form", "Drug Strength"};
    const char* pickTips[] = {"Search & Select Drug Packing", "Search & Select Drug Form", "Search & Select Drug Strength"};
    for (int i = 0; i < 3; ++i) {
        auto* e = makeEdit(item, picked[i]);
        e->setReadOnly(true);
        attachTextHighlight(e);
        g->addWidget(makeLabel(item, {}, QLatin1String(pickedCaptions[i])), r, 0);
        g->addWidget(e, r, 1);
        g->addWidget(makeCT(item, i, QLatin1String(pickTips[i])), r++, 2);
    }
    auto* qty = makeEdit(item, "txtQty");
    qty->setReadOnly(true);
    qty->setAlignment(Qt::AlignRight);
    attachKeyFilter(qty, KeyFilter::DecimalNumber);
    greyOut(qty);
    g->addWidget(makeLabel(item, QStringLiteral("lblPacking(3)"), QuantityCaption), r, 0);
    g->addWidget(qty, r++, 1);
    g->setColumnStretch(1, 1);
    row->addWidget(item, 5);

    auto priceEdit = [&](QWidget* parent, const char* name, int maxLength) {
        auto* e = makeEdit(parent, name);
        e->setMaxLength(maxLength);
        e->setAlignment(Qt::AlignRight);
        e->setFixedWidth(120);
        attachKeyFilter(e, KeyFilter::DecimalNumber);
        attachTextHighlight(e);
        return e;
    };
    auto taxCombo = [&](QWidget* parent, const char* name) {
        auto* c = new QComboBox(parent);
        c->setObjectName(QLatin1String(name));
        c->setFixedWidth(120);
        return c;
    };

    // Cost of one pack.
    auto* cost = new QGroupBox(QStringLiteral("COST OF ITEM"), block);
    auto* cg = new QGridLayout(cost);
    cg->addWidget(makeLabel(cost, QStringLiteral("lblPacking(6)"), QLatin1String(PackingCaptions[5].design)), 0, 0, 1, 3);
    cg->addWidget(priceEdit(cost, "txtCost", 12), 1, 0);
    cg->addWidget(makeLabel(cost, {}, QStringLiteral("Discount %")), 2, 0, 1, 3);
    cg->addWidget(priceEdit(cost, "txtDiscount", 5), 3, 0);
    cg->addWidget(makeLabel(cost, {}, QStringLiteral("Tax %")), 4, 0, 1, 3);
    auto* costVAT = taxCombo(cost, "cboCostVAT");
    attachComboHighlight(costVAT);
    cg->addWidget(costVAT, 5, 0);
    cg->addWidget(makeCT(cost, 3, QStringLiteral("Add new Tax")), 5, 1);
    auto* costCalc = new QPushButton(cost);
    costCalc->setObjectName(QStringLiteral("cmdCostCalculator"));
    costCalc->setToolTip(QStringLiteral("Cost Calculator"));
    costCalc->setIcon(calculatorIcon());
    costCalc->setIconSize(QSize(24, 24));
    costCalc->setAutoDefault(false);
    cg->addWidget(costCalc, 1, 1, 1, 2, Qt::AlignLeft);
    cg->setColumnStretch(2, 1);
    cg->setRowStretch(6, 1);
    row->addWidget(cost, 3);

    // MRP of one pack.
    auto* mrp = new QGroupBox(QStringLiteral("MRP OF ITEM"), block);
    auto* mg = new QGridLayout(mrp);
    mg->addWidget(makeLabel(mrp, QStringLiteral("lblPacking(10)"), QLatin1String(PackingCaptions[7].design)), 0, 0, 1, 2);
    mg->addWidget(priceEdit(mrp, "txtMRPWithTax", 12), 1, 0);
    mg->addWidget(makeLabel(mrp, QStringLiteral("lblPacking(7)"), QLatin1String(PackingCaptions[6].design)), 2, 0, 1, 2);
    auto* mrpEdit = priceEdit(mrp, "txtMRP", 12);
    mrpEdit->setReadOnly(true);
    greyOut(mrpEdit);
    mg->addWidget(mrpEdit, 3, 0);
    mg->addWidget(makeLabel(mrp, {}, QStringLiteral("Tax %")), 4, 0, 1, 2);
    auto* mrpVAT = taxCombo(mrp, "cboMRPVAT");
    // Locked: it follows the cost tax, yet it can hold the focus that Next's check gives it.
    mrpVAT->setFocusPolicy(Qt::TabFocus);
    QPalette grey = mrpVAT->palette();
    grey.setColor(QPalette::Button, grey.color(QPalette::Window));
    grey.setColor(QPalette::Base, grey.color(QPalette::Button));
    mrpVAT->setPalette(grey);
    mg->addWidget(mrpVAT, 5, 0);
    auto* mrpCalc = new QPushButton(mrp);
    mrpCalc->setObjectName(QStringLiteral("cmdCalculator"));
    mrpCalc->setToolTip(QStringLiteral("MRP Calculator"));
    mrpCalc->setIcon(calculatorIcon());
    mrpCalc->setIconSize(QSize(24, 24));
    mrpCalc->setAutoDefault(false);
    mg->addWidget(mrpCalc, 1, 1, Qt::AlignLeft);
    mg->setColumnStretch(1, 1);
    mg->setRowStretch(6, 1);
    row->addWidget(mrp, 3);

    // The tag labels sit over the tail of their captions, marking whether the figure includes tax.
    const std::pair<const char*, const char*> tags[] = {{"lblWithoutVAT(0)", "without Tax"},
                                                        {"lblWithoutVAT(1)", "without Tax"},
                                                        {"lblWithoutVAT(2)", "with Tax"}};
    const QString owners[] = {QStringLiteral("lblPacking(6)"), QStringLiteral("lblPacking(7)"),
                              QStringLiteral("lblPacking(10)")};
    for (int i = 0; i < 3; ++i) {
        QLabel* owner = label(owners[i]);
        auto* tag = new QLabel(QLatin1String(tags[i].second), owner->parentWidget());
        tag->setObjectName(QLatin1String(tags[i].first));
        QPalette p = tag->palette();
        p.setColor(QPalette::WindowText, QColor(192, 0, 0));
        tag->setPalette(p);
        tag->setAutoFillBackground(true);
        tag->adjustSize();
        owner->installEventFilter(this);
    }

    connect(costCalc, &QPushButton::clicked, this, [this] { openCalculator(true); });
    connect(mrpCalc, &QPushButton::clicked, this, [this] { openCalculator(false); });

    for (const char* name : {"txtHSNCode", "txtCost", "txtDiscount", "txtMRP", "txtMRPWithTax", "txtQty",
                             "txtDrugPacking", "txtDrugForm", "txtDrugStrength"})
        edit(name)->installEventFilter(this);
    for (const char* name : {"cboCostVAT", "cboMRPVAT"})
        combo(name)->installEventFilter(this);
    return block;
}

QWidget* frmQ2::buildSummaryBlock()
{
    auto* block = new QWidget(this);
    auto* row = new QHBoxLayout(block);
    row->setContentsMargins(0, 0, 0, 0);
    auto addLine = [](QGridLayout* g, int r, int col, QWidget* parent, const QString& labelName,
                      const QString& caption, const char* field) {
        auto* l = new QLabel(caption, parent);
        if (!labelName.isEmpty())
            l->setObjectName(labelName);
        auto* e = new QLineEdit(parent);
        e->setObjectName(QLatin1String(field));
        e->setReadOnly(true);
        e->setAlignment(Qt::AlignRight);
        e->setFixedWidth(110);
        e->setFocusPolicy(Qt::ClickFocus);
        greyOut(e);
        g->addWidget(l, r, col);
        g->addWidget(e, r, col + 1);
    };
    auto P = [](int i) { return QStringLiteral("lblPacking(%1)").arg(i); };
    auto L = [](int i) { return QStringLiteral("lblLowestUnit(%1)").arg(i); };

    auto* cost = new QGroupBox(QStringLiteral("COST SUMMARY"), block);
    auto* cg = new QGridLayout(cost);
    addLine(cg, 0, 0, cost, P(0), QLatin1String(PackingCaptions[0].design), "txtCostBefDisc");
    addLine(cg, 1, 0, cost, {}, QStringLiteral("Discount Amount"), "txtDiscAmt");
    addLine(cg, 2, 0, cost, P(1), QLatin1String(PackingCaptions[1].design), "txtCostAftDisc");
    addLine(cg, 3, 0, cost, P(8), QStringLiteral("Cost Tax Amount"), "txtVATAmt");
    addLine(cg, 4, 0, cost, P(2), QLatin1String(PackingCaptions[2].design), "txtCostAftVAT");
    addLine(cg, 0, 2, cost, L(0), QLatin1String(LowestUnitCaptions[0].design), "txtCostLUBefDisc");
    addLine(cg, 1, 2, cost, {}, QStringLiteral("Discount Amount"), "txtLUDiscAmt");
    addLine(cg, 2, 2, cost, L(1), QLatin1String(LowestUnitCaptions[1].design), "txtCostLUAftDisc");
    addLine(cg, 3, 2, cost, L(5), QStringLiteral("Cost Tax Amount"), "txtLUVATAmt");
    addLine(cg, 4, 2, cost, L(2), QLatin1String(LowestUnitCaptions[2].design), "txtCostLUAftVAT");
    cg->setColumnStretch(0, 1);
    cg->setColumnStretch(2, 1);
    row->addWidget(cost, 3);

    auto* mrp = new QGroupBox(QStringLiteral("MRP SUMMARY"), block);
    auto* mg = new QGridLayout(mrp);
    addLine(mg, 0, 0, mrp, P(5), QLatin1String(PackingCaptions[4].design), "txtMRPWithoutVAT");
    addLine(mg, 1, 0, mrp, P(9), QStringLiteral("MRP Tax Amount"), "txtMRPVATAmt");
    addLine(mg, 2, 0, mrp, P(4), QLatin1String(PackingCaptions[3].design), "txtMRPWithVAT");
    addLine(mg, 3, 0, mrp, L(4), QLatin1String(LowestUnitCaptions[4].design), "txtMRPWithoutVATLU");
    addLine(mg, 4, 0, mrp, L(6), QStringLiteral("MRP Tax Amount"), "txtMRPVATAmtLU");
    addLine(mg, 5, 0, mrp, L(3), QLatin1String(LowestUnitCaptions[3].design), "txtMRPWithVATLU");
    mg->setColumnStretch(0, 1);
    row->addWidget(mrp, 2);
    return block;
}

// ---- Lists ----

// A drop-down of descriptions with each row's ID as its item data.
void frmQ2::fillDescriptionList(const char* comboName, const QString& sql)
{
    BusyCursor busy;
    QComboBox* list = combo(comboName);
    try {
        Recordset rs(sql, AppState::ConnectionString, CursorType::ForwardOnly, LockType::ReadOnly);
        list->addItem(QString());
        for (; !rs.eof(); rs.moveNext())
            list->addItem(storedText(rs, "Description"), rs.field(QStringLiteral("ID")));
        rs.close();
    } catch (const DbError& e) {
        ShowDbError(e, this);
    }
}

void frmQ2::FillStrengths(const QString& sql)
{
    fillDescriptionList("cboStrength", sql.isEmpty() ? QStringLiteral("Select * From CT_Strengths Order By Description") : sql);
}

void frmQ2::FillDrugForms(const QString& sql)
{
    fillDescriptionList("cboDrugForms", sql.isEmpty() ? QStringLiteral("Select * From CT_DrugForms Order By Description") : sql);
}

void frmQ2::FillDrugPackings(const QString& sql)
{
    BusyCursor busy;
    QComboBox* list = combo("cboDrugPacking");
    QComboBox* ratios = combo("cboDrugPackingP");
    try {
        Recordset rs(sql.isEmpty() ? QStringLiteral("Select * From CT_DrugPackings Order By Description") : sql,
                     AppState::ConnectionString, CursorType::ForwardOnly, LockType::ReadOnly);
        ratios->addItem(QString());
        list->addItem(QString());
        for (; !rs.eof(); rs.moveNext()) {
            // The ratio goes in first, so that selecting the packing finds its partner already there.
            ratios->addItem(storedText(rs, "Ratio"));
            list->addItem(storedText(rs, "Description"), rs.field(QStringLiteral("ID")));
        }
        rs.close();
    } catch (const DbError& e) {
        ShowDbError(e, this);
    }
}

void frmQ2::FillTaxes(const QString& sql)
{
    BusyCursor busy;
    try {
        Recordset rs(sql.isEmpty() ? QStringLiteral("Select * From CT_Tax Order By TAX") : sql,
                     AppState::ConnectionString, CursorType::ForwardOnly, LockType::ReadOnly);
        for (const char* name : {"cboCostVATP", "cboMRPVATP", "cboCostVAT", "cboMRPVAT"})
            combo(name)->addItem(QString());
        for (; !rs.eof(); rs.moveNext()) {
            combo("cboCostVATP")->addItem(storedText(rs, "Tax"));
            combo("cboMRPVATP")->addItem(storedText(rs, "Tax"));
            combo("cboCostVAT")->addItem(storedText(rs, "Description"));
            combo("cboMRPVAT")->addItem(storedText(rs, "Description"));
        }
        rs.close();
    } catch (const DbError& e) {
        ShowDbError(e, this);
    }
}

namespace {
QString partnerEntry(const QComboBox* list, const QComboBox* partner)
{
    const int index = list->currentIndex();
    return index >= 0 && index < partner->count() ? partner->itemText(index) : QString();
}
} // namespace

QString frmQ2::packingRatio() const
{
    return partnerEntry(combo("cboDrugPacking"), combo("cboDrugPackingP"));
}

QString frmQ2::costTaxPercent() const
{
    return partnerEntry(combo("cboCostVAT"), combo("cboCostVATP"));
}

QString frmQ2::mrpTaxPercent() const
{
    return partnerEntry(combo("cboMRPVAT"), combo("cboMRPVATP"));
}

bool frmQ2::selectByText(QComboBox* list, const QString& value)
{
    for (int i = 0; i < list->count(); ++i) {
        if (list->itemText(i) == value) {
            list->setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

// ---- Captions ----

void frmQ2::cboDrugPacking_Click()
{
    const QString packing = combo("cboDrugPacking")->currentText();
    const QString form = combo("cboDrugForms")->currentText();
    for (const UnitCaption& c : PackingCaptions)
        label(QStringLiteral("lblPacking(%1)").arg(c.index))
            ->setText(packing.isEmpty() ? QLatin1String(c.design)
                                        : QLatin1String(c.before) + packing + QLatin1String(c.after));
    QString quantity = QuantityCaption;
    if (!packing.isEmpty()) {
        const bool counted = form == QLatin1String("Injection") || form == QLatin1String("Capsule") ||
                             form == QLatin1String("Tablet");
        quantity = form + (counted ? QStringLiteral("(s) in ") : QStringLiteral(" in ")) + packing;
    }
    label(QStringLiteral("lblPacking(3)"))->setText(quantity);
    edit("txtQty")->setText(packingRatio());
    placeTagLabels();
}

void frmQ2::cboDrugForms_Click()
{
    const QString form = combo("cboDrugForms")->currentText();
    for (const UnitCaption& c : LowestUnitCaptions)
        label(QStringLiteral("lblLowestUnit(%1)").arg(c.index))
            ->setText(form.isEmpty() ? QLatin1String(c.design) : QLatin1String(c.before) + form + QLatin1String(c.after));
    label(QStringLiteral("lblPacking(3)"))
        ->setText(form.isEmpty() ? QuantityCaption : form + QStringLiteral(" in ") + combo("cboDrugPacking")->currentText());
}

void frmQ2::placeTagLabels()
{
    const std::pair<const char*, const char*> pairs[] = {
        {"lblWithoutVAT(0)", "lblPacking(6)"}, {"lblWithoutVAT(1)", "lblPacking(7)"}, {"lblWithoutVAT(2)", "lblPacking(10)"}};
    for (auto [tagName, ownerName] : pairs) {
        QLabel* tag = label(QLatin1String(tagName));
        QLabel* owner = label(QLatin1String(ownerName));
        if (!tag || !owner)
            continue;
        const int captionWidth = owner->fontMetrics().horizontalAdvance(owner->text());
        const int left = owner->x() + owner->contentsRect().left() + captionWidth - tag->width();
        const int top = owner->y() + (owner->height() - tag->height()) / 2;
        tag->move(left, top);
        tag->raise();
    }
}

// ---- Arithmetic ----

void frmQ2::CalcCost()
{
    Pricing::Inputs in;
    in.cost = edit("txtCost")->text();
    in.discount = edit("txtDiscount")->text();
    in.costTax = costTaxPercent();
    in.costTaxCode = combo("cboCostVAT")->currentText();
    in.mrpWithTax = edit("txtMRPWithTax")->text();
    in.mrpTax = mrpTaxPercent();
    in.mrpTaxCode = combo("cboMRPVAT")->currentText();
    in.qty = edit("txtQty")->text();

    const Pricing::CostSummary c = Pricing::costBlock(in);
    const QString costFigures[] = {c.costBefDisc,   c.discAmt,   c.costAftDisc,   c.vatAmt,   c.costAftVAT,
                                   c.costLUBefDisc, c.luDiscAmt, c.costLUAftDisc, c.luVATAmt, c.costLUAftVAT};
    for (int i = 0; i < 10; ++i)
        edit(CostSummaryFields[i])->setText(costFigures[i]);
    if (c.computed) {
        const QString caption = QStringLiteral("Cost Tax Amount (") + in.costTaxCode + QStringLiteral(")");
        label(QStringLiteral("lblPacking(8)"))->setText(caption);
        label(QStringLiteral("lblLowestUnit(5)"))->setText(caption);
    }

    const Pricing::MrpSummary m = Pricing::mrpBlock(in);
    if (m.computed)
        edit("txtMRP")->setText(m.mrp);
    const QString mrpFigures[] = {m.withVAT, m.vatAmt, m.withoutVAT, m.withVATLU, m.vatAmtLU, m.withoutVATLU};
    for (int i = 0; i < 6; ++i)
        edit(MrpSummaryFields[i])->setText(mrpFigures[i]);
    if (m.computed) {
        const QString caption = QStringLiteral("MRP Tax Amount (") + in.mrpTaxCode + QStringLiteral(")");
        label(QStringLiteral("lblPacking(9)"))->setText(caption);
        label(QStringLiteral("lblLowestUnit(6)"))->setText(caption);
    }
}

// ---- Activation ----

void frmQ2::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Form_Activate();
    placeTagLabels();
}

void frmQ2::Form_Activate()
{
    frmQ1* step1 = DefaultInstance<frmQ1>::existing();
    const QStringList brand = step1 ? step1->selectedBrand() : QStringList();
    if (brand.size() < 7)
        return;
    edit("txtBrand")->setText(brand[1]);
    if (edit("txtManufacturer")->text().trimmed().isEmpty())
        edit("txtManufacturer")->setText(brand[2]);
    edit("txtGeneric")->setText(brand[3]);
    if (AppState::QuotationEditMode || !AppState::Step2NeedsReset)
        return;
    AppState::Step2NeedsReset = false;
    const std::tuple<QString, const char*, const char*> pairs[] = {{brand[5], "cboDrugForms", "txtDrugForm"},
                                                                   {brand[6], "cboStrength", "txtDrugStrength"}};
    for (const auto& [value, list, box] : pairs) {
        if (value.trimmed().isEmpty()) {
            combo(list)->setCurrentIndex(-1);
            edit(box)->clear();
        } else if (selectByText(combo(list), value)) {
            edit(box)->setText(value);
        }
    }
}

void frmQ2::fillFromStoredRow(const Recordset& rs)
{
    edit("txtHSNCode")->setText(storedText(rs, "HSNCode"));
    const std::tuple<const char*, const char*, const char*> pairs[] = {{"cboDrugPacking", "txtDrugPacking", "DrugPacking"},
                                                                       {"cboDrugForms", "txtDrugForm", "DrugForm"},
                                                                       {"cboStrength", "txtDrugStrength", "DrugStrength"}};
    for (const auto& [list, box, column] : pairs) {
        const QString value = storedText(rs, column);
        if (selectByText(combo(list), value))
            edit(box)->setText(value);
    }
    edit("txtCost")->setText(storedText(rs, "CostOfPackBeforeDiscountWithoutVAT"));
    edit("txtDiscount")->setText(storedText(rs, "Discount%"));
    selectByText(combo("cboCostVAT"), storedText(rs, "CostVATCode"));
    edit("txtMRP")->setText(storedText(rs, "MRPOfPackWithoutVAT"));
    edit("txtMRPWithTax")->setText(storedText(rs, "MRPOfPackWithVAT"));
    selectByText(combo("cboMRPVAT"), storedText(rs, "MRPVATCode"));
    CalcCost();
}

// ---- Field checks ----

bool frmQ2::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == combo("cboMRPVAT")) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return true;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key != Qt::Key_Tab && key != Qt::Key_Backtab)
                return true;
            break;
        }
        default:
            break;
        }
    }
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move) {
        if (qobject_cast<QLabel*>(watched))
            placeTagLabels();
        return false;
    }
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Another window taking the focus (a message box, a list popping up) is not leaving the field.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            fieldLeft(static_cast<QWidget*>(watched));
    } else if (event->type() == QEvent::FocusIn && watched == edit("txtMRPWithTax")) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            mrpWithTaxEntered();
    }
    return false;
}

void frmQ2::fieldLeft(QWidget* field)
{
    const QString name = field->objectName();
    QLineEdit* cost = edit("txtCost");
    QLineEdit* mrp = edit("txtMRP");
    auto bothNumeric = [](const QLineEdit* a, const QLineEdit* b) {
        return Decimal::isNumeric(a->text()) && Decimal::isNumeric(b->text());
    };
    auto value = [](const QLineEdit* e) { return Decimal::leadingNumber(e->text()); };

    if (name == QLatin1String("txtHSNCode")) {
        if (edit("txtHSNCode")->text().size() < 4)
            showInfo(this, QStringLiteral("Please enter minimum 4 digit HSN code."));
    } else if (name == QLatin1String("txtCost")) {
        if (bothNumeric(cost, mrp) && value(mrp) <= value(cost))
            showInfo(this, QStringLiteral("Cost cannot be >= MRP. Please correct."));
        CalcCost();
    } else if (name == QLatin1String("txtDiscount")) {
        QLineEdit* discount = edit("txtDiscount");
        if (discount->text().trimmed().isEmpty())
            discount->setText(QStringLiteral("0"));
        if (value(discount) <= Decimal(99)) {
            CalcCost();
        } else {
            showInfo(this, QStringLiteral("Dicount cannot me more then 99%"));
            discount->setFocus();
        }
    } else if (name == QLatin1String("txtMRP")) {
        if (bothNumeric(mrp, cost) && value(mrp) <= value(cost))
            showInfo(this, QStringLiteral("MRP cannot be <= Cost. Please correct."));
        CalcCost();
    } else if (name == QLatin1String("txtMRPWithTax")) {
        QLineEdit* withTax = edit("txtMRPWithTax");
        QLineEdit* costWithTax = edit("txtCostAftVAT");
        if (bothNumeric(withTax, costWithTax) && value(withTax) <= value(costWithTax))
            showInfo(this, QStringLiteral("MRP cannot be <= Cost with tax. Please correct."));
        CalcCost();
    } else if (name == QLatin1String("txtDrugPacking")) {
        QLineEdit* box = edit("txtDrugPacking");
        if (box->text() != combo("cboDrugPacking")->currentText() && !selectByText(combo("cboDrugPacking"), box->text())) {
            showInfo(this, QStringLiteral("Invalid drug packing entered. Please correct."));
            cmdCT_Click(0);
            return;  // the pick-list ends with its own recalculation
        }
        CalcCost();
    } else if (name == QLatin1String("txtDrugForm") || name == QLatin1String("txtDrugStrength")) {
        const bool form = name == QLatin1String("txtDrugForm");
        QLineEdit* box = edit(form ? "txtDrugForm" : "txtDrugStrength");
        if (box->text() != combo(form ? "cboDrugForms" : "cboStrength")->currentText()) {
            showInfo(this, form ? QStringLiteral("Invalid drug form entered. Please correct.")
                                : QStringLiteral("Invalid drug strength entered. Please correct."));
            box->setFocus();
        }
        CalcCost();
    } else {
        CalcCost();  // txtQty and the tax lists
    }
}

void frmQ2::mrpWithTaxEntered()
{
    if (m_checkingMRPPrerequisites)
        return;
    m_checkingMRPPrerequisites = true;
    if (edit("txtCost")->text().isEmpty()) {
        edit("txtCost")->setFocus();
        showInfo(this, QStringLiteral("Please enter cost of the item first."));
    } else if (edit("txtDiscount")->text().isEmpty()) {
        edit("txtDiscount")->setFocus();
        showInfo(this, QStringLiteral("Please enter discount of the item first. Enter 0 if no discount."));
    } else if (combo("cboCostVAT")->currentText().isEmpty()) {
        combo("cboCostVAT")->setFocus();
        showInfo(this, QStringLiteral("Please select tax of the item first."));
    }
    m_checkingMRPPrerequisites = false;
}

// ---- Buttons ----

void frmQ2::cmdCT_Click(int index)
{
    static const char* const lists[] = {"cboDrugPacking", "cboDrugForms", "cboStrength"};
    static const char* const boxes[] = {"txtDrugPacking", "txtDrugForm", "txtDrugStrength"};
    AppState::PickListKind = static_cast<quint8>(index + 1);
    AppState::PickedItemID = 0;
    showPickList(this);
    if (AppState::PickedItemID != 0) {
        QComboBox* list = combo(lists[index]);
        for (int i = 0; i < list->count(); ++i) {
            if (list->itemData(i).toLongLong() == AppState::PickedItemID) {
                list->setCurrentIndex(i);
                edit(boxes[index])->setText(AppState::PickedItemText);
                break;
            }
        }
    }
    CalcCost();
    Form_Activate();
}

void frmQ2::cmdAddTax()
{
    const QString costCode = combo("cboCostVAT")->currentText();
    const QString mrpCode = combo("cboMRPVAT")->currentText();
    showMasterEditor(MasterList::Tax, this);
    for (const char* name : {"cboCostVAT", "cboCostVATP", "cboMRPVAT", "cboMRPVATP"})
        combo(name)->clear();
    FillTaxes(QStringLiteral("Select * From CT_Tax Order By Description Desc"));
    selectByText(combo("cboCostVAT"), costCode);
    selectByText(combo("cboMRPVAT"), mrpCode);
    CalcCost();
    Form_Activate();
}

void frmQ2::openCalculator(bool cost)
{
    if (edit("txtDrugPacking")->text().isEmpty()) {
        showInfo(this, QStringLiteral("Please select Packing."));
        return;
    }
    if (cost) {
        AppState::CalculatorCaller = 1;
        showCostCalculator(this);
    } else {
        showMRPCalculator(this);
    }
    Form_Activate();
}

void frmQ2::cmdNext()
{
    QLineEdit* manufacturer = edit("txtManufacturer");
    QLineEdit* hsn = edit("txtHSNCode");
    QLineEdit* qty = edit("txtQty");
    QLineEdit* cost = edit("txtCost");
    QLineEdit* discount = edit("txtDiscount");
    QLineEdit* withTax = edit("txtMRPWithTax");
    QLineEdit* mrp = edit("txtMRP");
    QComboBox* costVAT = combo("cboCostVAT");
    QComboBox* mrpVAT = combo("cboMRPVAT");
    const QString packing = combo("cboDrugPacking")->currentText();
    const QString form = combo("cboDrugForms")->currentText();
    const QString strength = combo("cboStrength")->currentText();

    auto refuse = [this](QWidget* focus, const QString& message) {
        showInfo(this, message);
        focus->setFocus();
    };
    if (manufacturer->text().isEmpty())
        return refuse(manufacturer, QStringLiteral("Please enter manufacturer name before moving to step 3"));
    if (hsn->text().isEmpty())
        return refuse(hsn, QStringLiteral("Please enter HSN Code of medicine before moving to step 3"));
    if (hsn->text().size() < 4)
        return refuse(hsn, QStringLiteral("Please enter minimum 4 digit HSN code."));
    if (packing.isEmpty())
        return refuse(edit("txtDrugPacking"), QStringLiteral("Please select drug packing before moving to step 3"));
    if (form.isEmpty())
        return refuse(edit("txtDrugForm"), QStringLiteral("Please select drug form before moving to step 3"));
    if (strength.isEmpty())
        return refuse(edit("txtDrugStrength"), QStringLiteral("Please select drug strength before moving to step 3"));
    // A ratio of 0 is a number but no usable divisor: the per-unit figures cannot exist.
    if (!Pricing::isUsableQuantity(qty->text()))
        return refuse(edit("txtDrugPacking"), QStringLiteral("The conversion ratio is not correct. Please rectify through "
                                                             "drug packing before moving to step 3"));
    if (!Decimal::isNumeric(cost->text()))
        return refuse(cost, QStringLiteral("Please enter 'cost before discount without Tax' before moving to step 3"));
    if (Decimal::leadingNumber(cost->text()).isZero() &&
        !askConfirm(this, QStringLiteral("You have entered Rs. 0 in the cost price! Do you still want to continue?"),
                    true)) {
        cost->setFocus();
        return;
    }
    if (!Decimal::isNumeric(discount->text()))
        return refuse(discount, QStringLiteral("Please enter discount % before moving to step 3"));
    if (costVAT->currentText().isEmpty())
        return refuse(costVAT, QStringLiteral("Please select cost Tax before moving to step 3"));
    if (!Decimal::isNumeric(withTax->text()))
        return refuse(withTax, QStringLiteral("Please enter MRP before moving to step 3"));
    if (!Decimal::isNumeric(mrp->text()))
        return refuse(mrp, QStringLiteral("Please enter MRP without Tax before moving to step 3"));
    if (mrpVAT->currentText().isEmpty())
        return refuse(mrpVAT, QStringLiteral("Please select MRP Tax before moving to step 3"));
    if (costVAT->currentText() != mrpVAT->currentText()) {
        showMessage(this, QStringLiteral("Confirm"),
                    QStringLiteral("Cost Tax: ") + costVAT->currentText() + CRLF + QStringLiteral("MRP Tax: ") +
                        mrpVAT->currentText() + CRLF + QStringLiteral("Cost Tax is not equal to MRP Tax.") + CRLF + CRLF +
                        QStringLiteral("Please recheck and correct Tax%?"),
                    QMessageBox::Warning, QMessageBox::Ok);
        costVAT->setFocus();
        return;
    }
    bool complete = true;
    for (const char* name : CostSummaryFields)
        complete = complete && Decimal::isNumeric(edit(name)->text());
    for (const char* name : MrpSummaryFields)
        complete = complete && Decimal::isNumeric(edit(name)->text());
    if (form.isEmpty() || strength.isEmpty() || packing.isEmpty() || costVAT->currentText().isEmpty() || !complete) {
        showInfo(this, QStringLiteral("Please complete the form, before moving to step 3"));
        return;
    }
    if (Decimal::leadingNumber(mrp->text()) <= Decimal::leadingNumber(cost->text())) {
        withTax->setFocus();
        showInfo(this, QStringLiteral("MRP cannot be <= Cost. Please correct."));
        return;
    }
    hide();
    frmQ3& step3 = DefaultInstance<frmQ3>::get();
    step3.show();
    step3.activateWindow();
}

void frmQ2::cmdClear()
{
    if (!SkipClearConfirm && !askConfirm(this, QStringLiteral("Do you really want to clear this form?")))
        return;
    for (const char* name : {"txtManufacturer", "txtHSNCode", "txtDrugPacking"})
        edit(name)->clear();
    combo("cboDrugPacking")->setCurrentIndex(-1);
    edit("txtDrugForm")->clear();
    combo("cboDrugForms")->setCurrentIndex(-1);
    edit("txtDrugStrength")->clear();
    combo("cboStrength")->setCurrentIndex(-1);
    for (const char* name : {"txtQty", "txtCost", "txtDiscount"})
        edit(name)->clear();
    combo("cboCostVAT")->setCurrentIndex(-1);
    edit("txtMRP")->clear();
    edit("txtMRPWithTax")->clear();
    combo("cboMRPVAT")->setCurrentIndex(-1);
    for (const char* name : CostSummaryFields)
        edit(name)->clear();
    for (const char* name : MrpSummaryFields)
        edit(name)->clear();
    label(QStringLiteral("lblLowestUnit(5)"))->setText(QStringLiteral("Cost Tax Amount"));
    label(QStringLiteral("lblPacking(8)"))->setText(QStringLiteral("Cost Tax Amount"));
    label(QStringLiteral("lblLowestUnit(6)"))->setText(QStringLiteral("MRP Tax Amount"));
    label(QStringLiteral("lblPacking(9)"))->setText(QStringLiteral("MRP Tax Amount"));
}

void frmQ2::cmdBack()
{
    SkipClearConfirm = true;
    if (!AppState::QuotationEditMode)
        cmdClear();
    SkipClearConfirm = false;
    hide();
    if (frmQ1* step1 = DefaultInstance<frmQ1>::existing()) {
        step1->show();
        step1->activateWindow();
    }
}

void frmQ2::closeEvent(QCloseEvent* event)
{
    event->accept();
    DefaultInstance<frmQ2>::release();
}
