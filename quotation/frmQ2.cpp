#include "quotation/frmQ2.h"

#include "app/applicationstate.h"
#include "app/defaultinstance.h"
#include "app/focushighlight.h"
#include "app/keyfilter.h"
#include "app/messagebox.h"
#include "app/removeclosebutton.h"
#include "app/screens.h"
#include "app/statusbar.h"
#include "db/dberror.h"
#include "quotation/frmQ1.h"
#include "quotation/frmQ3.h"
#include "quotation/picklistsql.h"
#include "quotation/quotationchecks.h"
#include "quotation/summaryblock.h"
#include "quotation/taxcodelists.h"
#include "quotation/unitcaptions.h"
#include "quotation/wizardheading.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

using QuotationChecks::Failure;

namespace {

void greyOut(QWidget* w)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Button));
    w->setPalette(p);
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

// The number in the parallel list at the index selected in its partner.
QString partnerEntry(const QComboBox* list, const QComboBox* partner)
{
    const int index = list->currentIndex();
    return index >= 0 && index < partner->count() ? partner->itemText(index) : QString();
}

// Selects the first entry equal to `value` (and the same index in `partner`); false when none is.
bool selectByText(QComboBox* list, const QString& value, QComboBox* partner = nullptr)
{
    const int index = list->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        return false;
    list->setCurrentIndex(index);
    if (partner)
        partner->setCurrentIndex(index);
    return true;
}

// A handed-back figure is written whole: the length limit is there for typing only.
void setWhole(QLineEdit* edit, const QString& text)
{
    if (text.size() > edit->maxLength())
        edit->setMaxLength(static_cast<int>(text.size()));
    edit->setText(text);
}

QStringList chosenBrand()
{
    frmQ1* step1 = DefaultInstance<frmQ1>::existing();
    return step1 ? step1->selectedBrand() : QStringList();
}

} // namespace

frmQ2::frmQ2(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmQ2"));
    // Only the main menu ends the application; a wizard step closing never does, even when it was the
    // last window shown at that moment.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Enter Quotation - Specify Cost & MRP of the Item..."));

    auto* root = new QVBoxLayout(this);
    root->addLayout(makeWizardHeading(this, QStringLiteral("Specify Cost & MRP of the Item..."), QStringLiteral("Screen 2 of 3")));
    // The hidden lists: reference rows and the numbers that belong to them, index for index.
    auto hidden = [this](const char* name) {
        auto* c = new QComboBox(this);
        c->setObjectName(QLatin1String(name));
        c->setVisible(false);
        c->setFocusPolicy(Qt::NoFocus);
        return c;
    };
    cboDrugPacking = hidden("cboDrugPacking");
    cboDrugPackingP = hidden("cboDrugPackingP");
    cboDrugForms = hidden("cboDrugForms");
    cboStrength = hidden("cboStrength");
    cboCostVATP = hidden("cboCostVATP");
    cboMRPVATP = hidden("cboMRPVATP");
    for (QComboBox* c : {cboDrugPacking, cboDrugForms, cboStrength})
        attachComboHighlight(c);

    root->addWidget(buildEntryBlock());
    summary = new SummaryBlock(this, 8, 9, Qt::ClickFocus);
    for (int i : {0, 1, 2, 4, 5, 8, 9})
        lblPacking.insert(i, summary->packingLabel(i));
    for (int i = 0; i <= 6; ++i)
        lblLowestUnit.insert(i, summary->lowestUnitLabel(i));
    root->addWidget(summary);

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
    auto* buttons = new QVBoxLayout;
    const std::tuple<int, const char*, const char*> specs[] = {{1, "&Next", "Go to next screen"},
                                                               {5, "&Clear", "Clear data on this screen"},
                                                               {0, "&Back", "Go to previous screen"}};
    for (const auto& [index, caption, tip] : specs) {
        auto* b = new QPushButton(QLatin1String(caption), this);
        b->setObjectName(QStringLiteral("cmdMaster(%1)").arg(index));
        b->setToolTip(QLatin1String(tip));
        b->setAutoDefault(false);
        attachButtonHighlight(b);
        cmdMaster.insert(index, b);
        buttons->addWidget(b);
    }
    bottom->addLayout(buttons);
    root->addLayout(bottom);
    root->addWidget(createStatusBar(this));

    connect(cmdMaster[0], &QPushButton::clicked, this, &frmQ2::cmdBack);
    connect(cmdMaster[1], &QPushButton::clicked, this, &frmQ2::cmdNext);
    connect(cmdMaster[5], &QPushButton::clicked, this, &frmQ2::cmdClear);
    connect(cboDrugPacking, &QComboBox::currentIndexChanged, this, &frmQ2::cboDrugPacking_Click);
    connect(cboDrugForms, &QComboBox::currentIndexChanged, this, &frmQ2::cboDrugForms_Click);
    // The MRP tax always follows the cost tax.
    connect(cboCostVAT, &QComboBox::currentIndexChanged, cboMRPVAT, &QComboBox::setCurrentIndex);

    // Tab order of the entry fields, then the buttons; the read-only fields come after them.
    const QList<QWidget*> order = {txtManufacturer, txtHSNCode,  txtDrugPacking, cmdCT[0],      txtDrugForm,
                                   cmdCT[1],        txtDrugStrength, cmdCT[2],   txtCost,       txtDiscount,
                                   cboCostVAT,      txtMRPWithTax, txtMRP,       cboMRPVAT,     cmdMaster[1],
                                   cmdMaster[5],    cmdMaster[0]};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    resize(1000, 780);

    FillStrengths(pickListFullSql(3));
    FillDrugForms(pickListFullSql(2));
    FillDrugPackings(pickListFullSql(1));
    FillTaxes(QStringLiteral("Select * From CT_Tax Order By TAX"));
    RemoveCloseButton(this);
}

QWidget* frmQ2::buildEntryBlock()
{
    auto* block = new QWidget(this);
    auto* row = new QHBoxLayout(block);
    row->setContentsMargins(0, 0, 0, 0);
    auto makeEdit = [](QWidget* parent, const char* name, int maxLength = 32767) {
        auto* e = new QLineEdit(parent);
        e->setObjectName(QLatin1String(name));
        e->setMaxLength(maxLength);
        return e;
    };
    auto makeLabel = [this](QWidget* parent, int packingIndex, const QString& caption) {
        auto* l = new QLabel(caption, parent);
        if (packingIndex >= 0) {
            l->setObjectName(QStringLiteral("lblPacking(%1)").arg(packingIndex));
            lblPacking.insert(packingIndex, l);
        }
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
    auto calculatorButton = [](QWidget* parent, const char* name, const char* tip) {
        auto* b = new QPushButton(parent);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(QLatin1String(tip));
        b->setIcon(calculatorIcon());
        b->setIconSize(QSize(24, 24));
        b->setAutoDefault(false);
        return b;
    };

    // The item: brand, generic, manufacturer, HSN code, packing, form and strength.
    auto* item = new QGroupBox(QStringLiteral("DRUG AVAILABLE IN PACKING"), block);
    auto* g = new QGridLayout(item);
    txtBrand = makeEdit(item, "txtBrand");
    txtGeneric = makeEdit(item, "txtGeneric");
    for (QLineEdit* e : {txtBrand, txtGeneric}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        QFont f = e->font();
        f.setBold(true);
        e->setFont(f);
        greyOut(e);
    }
    txtManufacturer = makeEdit(item, "txtManufacturer", 200);
    attachKeyFilter(txtManufacturer, KeyFilter::NoApostrophe);
    txtHSNCode = makeEdit(item, "txtHSNCode", 12);
    attachKeyFilter(txtHSNCode, KeyFilter::WholeNumber);
    int r = 0;
    for (auto [e, caption] : {std::pair{txtBrand, "Brand"}, std::pair{txtGeneric, "Generic"},
                              std::pair{txtManufacturer, "Manufacturer"}, std::pair{txtHSNCode, "HSN Code"}}) {
        if (!e->isReadOnly())
            attachTextHighlight(e);
        g->addWidget(makeLabel(item, -1, QLatin1String(caption)), r, 0);
        g->addWidget(e, r++, 1, 1, 2);
    }
    txtDrugPacking = makeEdit(item, "txtDrugPacking");
    txtDrugForm = makeEdit(item, "txtDrugForm");
    txtDrugStrength = makeEdit(item, "txtDrugStrength");
    const std::tuple<QLineEdit*, const char*, const char*> picked[] = {
        {txtDrugPacking, "Drug Packing", "Search & Select Drug Packing"},
        {txtDrugForm, "Drug Form", "Search & Select Drug Form"},
        {txtDrugStrength, "Drug Strength", "Search & Select Drug Strength"}};
    for (int i = 0; i < 3; ++i) {
        auto [e, caption, tip] = picked[i];
        e->setReadOnly(true);
        attachTextHighlight(e);
        g->addWidget(makeLabel(item, -1, QLatin1String(caption)), r, 0);
        g->addWidget(e, r, 1);
        g->addWidget(makeCT(item, i, QLatin1String(tip)), r++, 2);
    }
    txtQty = makeEdit(item, "txtQty");
    txtQty->setReadOnly(true);
    txtQty->setAlignment(Qt::AlignRight);
    attachKeyFilter(txtQty, KeyFilter::DecimalNumber);
    greyOut(txtQty);
    g->addWidget(makeLabel(item, 3, UnitCaptions::quantityDesign()), r, 0);
    g->addWidget(txtQty, r++, 1);
    g->setColumnStretch(1, 1);
    row->addWidget(item, 5);

    auto priceEdit = [&](QWidget* parent, const char* name, int maxLength) {
        auto* e = makeEdit(parent, name, maxLength);
        e->setAlignment(Qt::AlignRight);
        e->setFixedWidth(120);
        attachKeyFilter(e, KeyFilter::DecimalNumber);
        attachTextHighlight(e);
        return e;
    };
    auto taxCombo = [](QWidget* parent, const char* name) {
        auto* c = new QComboBox(parent);
        c->setObjectName(QLatin1String(name));
        c->setFixedWidth(120);
        return c;
    };

    // Cost of one pack.
    auto* cost = new QGroupBox(QStringLiteral("COST OF ITEM"), block);
    auto* cg = new QGridLayout(cost);
    cg->addWidget(makeLabel(cost, 6, UnitCaptions::packing(6, {})), 0, 0, 1, 3);
    cg->addWidget(txtCost = priceEdit(cost, "txtCost", 12), 1, 0);
    cg->addWidget(makeLabel(cost, -1, QStringLiteral("Discount %")), 2, 0, 1, 3);
    cg->addWidget(txtDiscount = priceEdit(cost, "txtDiscount", 5), 3, 0);
    cg->addWidget(makeLabel(cost, -1, QStringLiteral("Tax %")), 4, 0, 1, 3);
    cboCostVAT = taxCombo(cost, "cboCostVAT");
    attachComboHighlight(cboCostVAT);
    cg->addWidget(cboCostVAT, 5, 0);
    cg->addWidget(makeCT(cost, 3, QStringLiteral("Add new Tax")), 5, 1);
    auto* costCalc = calculatorButton(cost, "cmdCostCalculator", "Cost Calculator");
    cg->addWidget(costCalc, 1, 1, 1, 2, Qt::AlignLeft);
    cg->setColumnStretch(2, 1);
    cg->setRowStretch(6, 1);
    row->addWidget(cost, 3);

    // MRP of one pack.
    auto* mrp = new QGroupBox(QStringLiteral("MRP OF ITEM"), block);
    auto* mg = new QGridLayout(mrp);
    mg->addWidget(makeLabel(mrp, 10, UnitCaptions::packing(10, {})), 0, 0, 1, 2);
    mg->addWidget(txtMRPWithTax = priceEdit(mrp, "txtMRPWithTax", 12), 1, 0);
    mg->addWidget(makeLabel(mrp, 7, UnitCaptions::packing(7, {})), 2, 0, 1, 2);
    txtMRP = priceEdit(mrp, "txtMRP", 12);
    txtMRP->setReadOnly(true);
    greyOut(txtMRP);
    mg->addWidget(txtMRP, 3, 0);
    mg->addWidget(makeLabel(mrp, -1, QStringLiteral("Tax %")), 4, 0, 1, 2);
    cboMRPVAT = taxCombo(mrp, "cboMRPVAT");
    // Locked: it follows the cost tax, yet it can hold the focus that Next's check gives it.
    cboMRPVAT->setFocusPolicy(Qt::TabFocus);
    QPalette grey = cboMRPVAT->palette();
    grey.setColor(QPalette::Button, grey.color(QPalette::Window));
    grey.setColor(QPalette::Base, grey.color(QPalette::Button));
    cboMRPVAT->setPalette(grey);
    mg->addWidget(cboMRPVAT, 5, 0);
    auto* mrpCalc = calculatorButton(mrp, "cmdCalculator", "MRP Calculator");
    mg->addWidget(mrpCalc, 1, 1, Qt::AlignLeft);
    mg->setColumnStretch(1, 1);
    mg->setRowStretch(6, 1);
    row->addWidget(mrp, 3);

    // The tag labels sit over the tail of their captions, marking whether the figure includes tax.
    const std::pair<int, const char*> tags[] = {{6, "without Tax"}, {7, "without Tax"}, {10, "with Tax"}};
    for (int i = 0; i < 3; ++i) {
        QLabel* owner = lblPacking[tags[i].first];
        auto* tag = new QLabel(QLatin1String(tags[i].second), owner->parentWidget());
        tag->setObjectName(QStringLiteral("lblWithoutVAT(%1)").arg(i));
        QPalette p = tag->palette();
        p.setColor(QPalette::WindowText, QColor(192, 0, 0));
        tag->setPalette(p);
        tag->setAutoFillBackground(true);
        tag->adjustSize();
        lblWithoutVAT[i] = tag;
        owner->installEventFilter(this);
    }

    connect(costCalc, &QPushButton::clicked, this, [this] { openCalculator(true); });
    connect(mrpCalc, &QPushButton::clicked, this, [this] { openCalculator(false); });
    for (QWidget* w : std::initializer_list<QWidget*>{txtHSNCode, txtCost, txtDiscount, txtMRP, txtMRPWithTax, txtQty,
                                                      txtDrugPacking, txtDrugForm, txtDrugStrength, cboCostVAT, cboMRPVAT})
        w->installEventFilter(this);
    return block;
}

// ---- Lists ----

void frmQ2::fill(QComboBox* list, QComboBox* partner, const char* partnerColumn, const QString& sql)
{
    try {
        fillParallelLists(list, partner, QLatin1String(partnerColumn), sql);
    } catch (const DbError& e) {
        ShowDbError(e, this);
    }
}

void frmQ2::FillStrengths(const QString& sql)
{
    fill(cboStrength, nullptr, nullptr, sql);
}

void frmQ2::FillDrugForms(const QString& sql)
{
    fill(cboDrugForms, nullptr, nullptr, sql);
}

void frmQ2::FillDrugPackings(const QString& sql)
{
    fill(cboDrugPacking, cboDrugPackingP, "Ratio", sql);
}

void frmQ2::FillTaxes(const QString& sql)
{
    fill(cboCostVAT, cboCostVATP, "Tax", sql);
    fill(cboMRPVAT, cboMRPVATP, "Tax", sql);
}

void frmQ2::refillList(int kind)
{
    // The fill routines append, so the lists are emptied first.
    switch (kind) {
    case 1:
        cboDrugPacking->clear();
        cboDrugPackingP->clear();
        FillDrugPackings(pickListFullSql(1));
        break;
    case 2:
        cboDrugForms->clear();
        FillDrugForms(pickListFullSql(2));
        break;
    case 3:
        cboStrength->clear();
        FillStrengths(pickListFullSql(3));
        break;
    default:
        break;
    }
}

// ---- Captions ----

void frmQ2::cboDrugPacking_Click()
{
    const QString packing = cboDrugPacking->currentText();
    for (int i : UnitCaptions::PackingLabels)
        lblPacking[i]->setText(UnitCaptions::packing(i, packing));
    lblPacking[3]->setText(UnitCaptions::quantityForPacking(cboDrugForms->currentText(), packing));
    txtQty->setText(partnerEntry(cboDrugPacking, cboDrugPackingP));
    placeTagLabels();
}

void frmQ2::cboDrugForms_Click()
{
    const QString form = cboDrugForms->currentText();
    for (int i : UnitCaptions::LowestUnitLabels)
        lblLowestUnit[i]->setText(UnitCaptions::lowestUnit(i, form));
    lblPacking[3]->setText(UnitCaptions::quantityForForm(form, cboDrugPacking->currentText()));
}

void frmQ2::resetTaxCaptions()
{
    lblLowestUnit[5]->setText(QStringLiteral("Cost Tax Amount"));
    lblPacking[8]->setText(QStringLiteral("Cost Tax Amount"));
    lblLowestUnit[6]->setText(QStringLiteral("MRP Tax Amount"));
    lblPacking[9]->setText(QStringLiteral("MRP Tax Amount"));
}

void frmQ2::placeTagLabels()
{
    const int owners[] = {6, 7, 10};
    for (int i = 0; i < 3; ++i) {
        QLabel* tag = lblWithoutVAT[i];
        QLabel* owner = lblPacking[owners[i]];
        const int captionWidth = owner->fontMetrics().horizontalAdvance(owner->text());
        const int left = owner->x() + owner->contentsRect().left() + captionWidth - tag->width();
        tag->move(left, owner->y() + (owner->height() - tag->height()) / 2);
        tag->raise();
    }
}

// ---- The item ----

QuotationDraft frmQ2::draft() const
{
    QuotationDraft d;
    const QStringList brand = chosenBrand();
    d.brand = brand.value(1);
    d.generic = brand.value(3);
    d.brandAddedByVendor = brand.value(4) == QLatin1String("Yes");
    d.manufacturer = txtManufacturer->text();
    d.hsnCode = txtHSNCode->text();
    d.drugPacking = cboDrugPacking->currentText();
    d.quantityPerPack = txtQty->text();
    d.drugForm = cboDrugForms->currentText();
    d.drugStrength = cboStrength->currentText();
    d.cost = txtCost->text();
    d.discount = txtDiscount->text();
    d.costTaxCode = cboCostVAT->currentText();
    d.costTaxPercent = partnerEntry(cboCostVAT, cboCostVATP);
    d.mrpWithoutTax = txtMRP->text();
    d.mrpWithTax = txtMRPWithTax->text();
    d.mrpTaxCode = cboMRPVAT->currentText();
    d.mrpTaxPercent = partnerEntry(cboMRPVAT, cboMRPVATP);
    d.costSummary = summary->costFigures();
    d.mrpSummary = summary->mrpFigures();
    return d;
}

QString frmQ2::chosenBrandManufacturer() const
{
    return chosenBrand().value(2);
}

void frmQ2::CalcCost()
{
    QuotationDraft d = draft();
    d.derive();
    summary->setFigures(d.costSummary, d.mrpSummary);
    if (d.costSummary.computed) {
        lblPacking[8]->setText(UnitCaptions::costTaxAmount(d.costTaxCode));
        lblLowestUnit[5]->setText(UnitCaptions::costTaxAmount(d.costTaxCode));
    }
    if (d.mrpSummary.computed) {
        txtMRP->setText(d.mrpWithoutTax);
        lblPacking[9]->setText(UnitCaptions::mrpTaxAmount(d.mrpTaxCode));
        lblLowestUnit[6]->setText(UnitCaptions::mrpTaxAmount(d.mrpTaxCode));
    }
}

void frmQ2::load(const QuotationDraft& stored)
{
    txtHSNCode->setText(stored.hsnCode);
    const std::tuple<QComboBox*, QLineEdit*, QString> pairs[] = {{cboDrugPacking, txtDrugPacking, stored.drugPacking},
                                                                 {cboDrugForms, txtDrugForm, stored.drugForm},
                                                                 {cboStrength, txtDrugStrength, stored.drugStrength}};
    for (const auto& [list, box, value] : pairs)
        if (selectByText(list, value))
            box->setText(value);
    txtCost->setText(stored.cost);
    txtDiscount->setText(stored.discount);
    selectByText(cboCostVAT, stored.costTaxCode);
    txtMRP->setText(stored.mrpWithoutTax);
    txtMRPWithTax->setText(stored.mrpWithTax);
    selectByText(cboMRPVAT, stored.mrpTaxCode);
    CalcCost();
}

void frmQ2::applyCost(const QString& costBeforeDiscount, const QString& discount, const QString& taxCode)
{
    setWhole(txtCost, costBeforeDiscount);
    setWhole(txtDiscount, discount);
    // A code the list lacks leaves the tax selection, and the summaries, as they were.
    if (selectByText(cboCostVAT, taxCode, cboCostVATP))
        CalcCost();
}

void frmQ2::applyMrp(const QString& mrpWithoutTax, const QString& mrpWithTax, const QString& taxCode)
{
    setWhole(txtMRP, mrpWithoutTax);
    setWhole(txtMRPWithTax, mrpWithTax);
    if (selectByText(cboMRPVAT, taxCode, cboMRPVATP))
        CalcCost();
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
    const QStringList brand = chosenBrand();
    if (brand.size() < 7)
        return;
    txtBrand->setText(brand[1]);
    if (txtManufacturer->text().trimmed().isEmpty())
        txtManufacturer->setText(brand[2]);
    txtGeneric->setText(brand[3]);
    if (AppState::QuotationEditMode || !AppState::Step2NeedsReset)
        return;
    AppState::Step2NeedsReset = false;
    const std::tuple<QString, QComboBox*, QLineEdit*> pairs[] = {{brand[5], cboDrugForms, txtDrugForm},
                                                                 {brand[6], cboStrength, txtDrugStrength}};
    for (const auto& [value, list, box] : pairs) {
        if (value.trimmed().isEmpty()) {
            list->setCurrentIndex(-1);
            box->clear();
        } else if (selectByText(list, value)) {
            box->setText(value);
        }
    }
}

// ---- Field checks ----

namespace {

// Shows a failed check the way it asks: the box, and the focus moved before or after it.
void report(QWidget* screen, const std::optional<Failure>& failure)
{
    if (!failure)
        return;
    QWidget* focus = failure->focus.isEmpty() ? nullptr : screen->findChild<QWidget*>(failure->focus);
    Q_ASSERT(failure->focus.isEmpty() || focus);
    if (focus && failure->focusFirst)
        focus->setFocus();
    if (failure->box == Failure::Box::Warning)
        showMessage(screen, QStringLiteral("Confirm"), failure->message, QMessageBox::Warning, QMessageBox::Ok);
    else if (!failure->message.isEmpty())
        showInfo(screen, failure->message);
    if (focus && !failure->focusFirst)
        focus->setFocus();
}

} // namespace

bool frmQ2::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cboMRPVAT) {
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
    if (event->type() != QEvent::FocusOut && event->type() != QEvent::FocusIn)
        return false;
    // Another window taking the focus (a message box, a list popping up) is not leaving the field.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return false;
    if (event->type() == QEvent::FocusOut)
        fieldLeft(static_cast<QWidget*>(watched));
    else if (watched == txtMRPWithTax)
        mrpWithTaxEntered();
    return false;
}

void frmQ2::fieldLeft(QWidget* field)
{
    using namespace QuotationChecks;
    if (field == txtHSNCode) {
        report(this, checkHsnCodeLeft(draft()));
    } else if (field == txtCost) {
        report(this, checkCostLeft(draft()));
        CalcCost();
    } else if (field == txtDiscount) {
        if (txtDiscount->text().trimmed().isEmpty())
            txtDiscount->setText(QStringLiteral("0"));
        const std::optional<Failure> refused = checkDiscountLeft(draft());
        report(this, refused);
        if (!refused)
            CalcCost();
    } else if (field == txtMRP) {
        report(this, checkMrpLeft(draft()));
        CalcCost();
    } else if (field == txtMRPWithTax) {
        report(this, checkMrpWithTaxLeft(draft()));
        CalcCost();
    } else if (field == txtDrugPacking) {
        // The boxes are locked: these matter only when code has put a text there that no entry holds.
        if (txtDrugPacking->text() != cboDrugPacking->currentText() && !selectByText(cboDrugPacking, txtDrugPacking->text())) {
            showInfo(this, QStringLiteral("Invalid drug packing entered. Please correct."));
            cmdCT_Click(0);
            return;  // the pick-list ends with its own recalculation
        }
        CalcCost();
    } else if (field == txtDrugForm || field == txtDrugStrength) {
        const bool form = field == txtDrugForm;
        QLineEdit* box = form ? txtDrugForm : txtDrugStrength;
        if (box->text() != (form ? cboDrugForms : cboStrength)->currentText()) {
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
    report(this, QuotationChecks::checkMrpPrerequisites(draft()));
    m_checkingMRPPrerequisites = false;
}

// ---- Buttons ----

void frmQ2::cmdCT_Click(int index)
{
    QComboBox* const lists[] = {cboDrugPacking, cboDrugForms, cboStrength};
    QLineEdit* const boxes[] = {txtDrugPacking, txtDrugForm, txtDrugStrength};
    AppState::PickListKind = static_cast<quint8>(index + 1);
    AppState::PickedItemID = 0;
    showPickList(this, boxes[index]->text(), this);
    if (AppState::PickedItemID != 0) {
        for (int i = 0; i < lists[index]->count(); ++i) {
            if (lists[index]->itemData(i).toLongLong() == AppState::PickedItemID) {
                lists[index]->setCurrentIndex(i);
                boxes[index]->setText(AppState::PickedItemText);
                break;
            }
        }
    }
    CalcCost();
    Form_Activate();
}

void frmQ2::cmdAddTax()
{
    const QString costCode = cboCostVAT->currentText();
    const QString mrpCode = cboMRPVAT->currentText();
    showMasterEditor(MasterList::Tax, this);
    for (QComboBox* list : {cboCostVAT, cboCostVATP, cboMRPVAT, cboMRPVATP})
        list->clear();
    FillTaxes(QStringLiteral("Select * From CT_Tax Order By Description Desc"));
    selectByText(cboCostVAT, costCode);
    selectByText(cboMRPVAT, mrpCode);
    CalcCost();
    Form_Activate();
}

void frmQ2::openCalculator(bool cost)
{
    if (txtDrugPacking->text().isEmpty()) {
        showInfo(this, QStringLiteral("Please select Packing."));
        return;
    }
    if (cost) {
        AppState::CalculatorCaller = 1;
        showCostCalculator(*this, this);
    } else {
        showMRPCalculator(*this, this);
    }
    Form_Activate();
}

void frmQ2::cmdNext()
{
    const std::optional<Failure> failure =
        QuotationChecks::checkNext(draft(), [this](const QString& question) { return askConfirm(this, question, true); });
    if (failure) {
        report(this, failure);
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
    // Unselecting the packing and the form puts their design captions back.
    for (QLineEdit* e : {txtManufacturer, txtHSNCode, txtDrugPacking, txtDrugForm, txtDrugStrength, txtQty, txtCost,
                         txtDiscount, txtMRP, txtMRPWithTax})
        e->clear();
    for (QComboBox* list : {cboDrugPacking, cboDrugForms, cboStrength, cboCostVAT, cboMRPVAT})
        list->setCurrentIndex(-1);
    summary->setFigures({}, {});
    resetTaxCaptions();
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
