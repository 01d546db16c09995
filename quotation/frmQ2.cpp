#include "quotation/frmQ2.h"

#include "app/applicationstate.h"
#include "app/defaultinstance.h"
#include "app/focushighlight.h"
#include "app/textboxkeyfilter.h"
#include "app/messagebox.h"
#include "app/removeclosebutton.h"
#include "app/screenconventions.h"
#include "app/screens.h"
#include "db/dberror.h"
#include "quotation/dialogcontrols.h"
#include "quotation/frmQ1.h"
#include "quotation/frmQ3.h"
#include "quotation/picklistsql.h"
#include "quotation/summaryblock.h"
#include "quotation/taxcodelists.h"
#include "quotation/unitcaptions.h"
#include "quotation/wizardheading.h"
#include "quotation/wizardwidgets.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <utility>

namespace {

std::optional<ChosenBrand> chosenBrand()
{
    frmQ1* step1 = DefaultInstance<frmQ1>::existing();
    return step1 ? step1->chosenBrand() : std::nullopt;
}

QComboBox* dropDown(QWidget* parent, const char* name, int width = 0)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    if (width > 0)
        c->setFixedWidth(width);
    return c;
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
    // On a laptop the body scrolls; Next, Clear and Back stay in view below it.
    QVBoxLayout* body = addScrollingBody(this, root);
    // The hidden lists: reference rows and the numbers that belong to them, index for index.
    const std::pair<QComboBox**, const char*> hiddenLists[] = {
        {&cboDrugPacking, "cboDrugPacking"}, {&cboDrugPackingP, "cboDrugPackingP"}, {&cboDrugForms, "cboDrugForms"},
        {&cboStrength, "cboStrength"},       {&cboCostVATP, "cboCostVATP"},         {&cboMRPVATP, "cboMRPVATP"}};
    for (auto [list, name] : hiddenLists) {
        *list = dropDown(this, name);
        (*list)->setVisible(false);
        (*list)->setFocusPolicy(Qt::NoFocus);
    }
    for (QComboBox* c : {cboDrugPacking, cboDrugForms, cboStrength})
        attachComboHighlight(c);
    body->addWidget(buildEntryBlock());
    summary = new SummaryBlock(this, 8, 9, Qt::ClickFocus);
    for (int i : {0, 1, 2, 4, 5, 8, 9})
        lblPacking.insert(i, summary->packingLabel(i));
    for (int i = 0; i <= 6; ++i)
        lblLowestUnit.insert(i, summary->lowestUnitLabel(i));
    body->addWidget(summary);

    addWizardFoot(this, root,
                  QStringLiteral("1.  Complete the above form. All the columns are mandatory.\n"
                                 "2.  You may use the cost calculator and MRP calculator if needed.\n"
                                 "3.  Verify the cost summary and MRP summary after entering details.\n"
                                 "4.  If quoted item is approved, purchase order will be made with the description, "
                                 "cost and MRP you have selected/entered.\n"
                                 "5.  Click next to continue"),
                  {{1, "&Next", "Go to next screen"}, {5, "&Clear", "Clear data on this screen"}, {0, "&Back", "Go to previous screen"}},
                  cmdMaster);
    resize(1240, 780);  // room for long packing captions on a 1366-wide screen

    // Tab order of the entry fields, then the buttons; the read-only fields come after them.
    const QList<QWidget*> order = {txtManufacturer, txtHSNCode,  txtDrugPacking, cmdCT[0],      txtDrugForm,
                                   cmdCT[1],        txtDrugStrength, cmdCT[2],   txtCost,       txtDiscount,
                                   cboCostVAT,      txtMRPWithTax, txtMRP,       cboMRPVAT,     cmdMaster[1],
                                   cmdMaster[5],    cmdMaster[0]};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    wire();

    FillStrengths(pickListFullSql(3));
    FillDrugForms(pickListFullSql(2));
    FillDrugPackings(pickListFullSql(1));
    FillTaxes(QStringLiteral("Select * From CT_Tax Order By TAX"));
    RemoveCloseButton(this);
}

frmQ2::~frmQ2()
{
    stopWatching(this);
}

QWidget* frmQ2::buildEntryBlock()
{
    auto* block = new QWidget(this);
    auto* row = new QHBoxLayout(block);
    row->setContentsMargins(0, 0, 0, 0);
    auto label = [this](QWidget* parent, const QString& caption, int packingIndex = -1) {
        QLabel* l = captionLabel(parent, caption, packingIndex < 0 ? QString() : QStringLiteral("lblPacking(%1)").arg(packingIndex));
        if (packingIndex >= 0)
            lblPacking.insert(packingIndex, l);
        return l;
    };
    auto makeCT = [this](QWidget* parent, int index, const char* tip) {
        QPushButton* b = cmdCT[index] = plainButton(parent, QStringLiteral("cmdCT(%1)").arg(index), QStringLiteral("..."),
                                                    QLatin1String(tip));
        QFont f = b->font();
        f.setStretch(QFont::Condensed);
        b->setFont(f);
        b->setFixedWidth(30);
        return b;
    };

    // The item: brand, generic, manufacturer, HSN code, packing, form and strength.
    auto* item = new QGroupBox(QStringLiteral("DRUG AVAILABLE IN PACKING"), block);
    auto* g = new QGridLayout(item);
    txtBrand = namedField(item, "txtBrand");
    txtGeneric = namedField(item, "txtGeneric");
    for (QLineEdit* e : {txtBrand, txtGeneric}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        QFont f = e->font();
        f.setBold(true);
        e->setFont(f);
        greyOut(e);
    }
    txtManufacturer = namedField(item, "txtManufacturer", 200);
    attachKeyFilter(txtManufacturer, KeyFilter::NoApostrophe);
    txtHSNCode = namedField(item, "txtHSNCode", 12);
    attachKeyFilter(txtHSNCode, KeyFilter::WholeNumber);
    txtDrugPacking = namedField(item, "txtDrugPacking");
    txtDrugForm = namedField(item, "txtDrugForm");
    txtDrugStrength = namedField(item, "txtDrugStrength");
    const std::tuple<QLineEdit*, const char*, const char*> fields[] = {
        {txtBrand, "Brand", nullptr},
        {txtGeneric, "Generic", nullptr},
        {txtManufacturer, "Manufacturer", nullptr},
        {txtHSNCode, "HSN Code", nullptr},
        {txtDrugPacking, "Drug Packing", "Search & Select Drug Packing"},
        {txtDrugForm, "Drug Form", "Search & Select Drug Form"},
        {txtDrugStrength, "Drug Strength", "Search & Select Drug Strength"}};
    int r = 0;
    for (const auto& [e, caption, pickTip] : fields) {
        g->addWidget(label(item, QLatin1String(caption)), r, 0);
        if (pickTip) {
            e->setReadOnly(true);
            g->addWidget(e, r, 1);
            g->addWidget(makeCT(item, r - 4, pickTip), r, 2);
        } else {
            g->addWidget(e, r, 1, 1, 2);
        }
        if (e->focusPolicy() != Qt::NoFocus)
            attachTextHighlight(e);
        ++r;
    }
    txtQty = namedField(item, "txtQty");
    txtQty->setReadOnly(true);
    txtQty->setAlignment(Qt::AlignRight);
    attachKeyFilter(txtQty, KeyFilter::DecimalNumber);
    greyOut(txtQty);
    g->addWidget(label(item, UnitCaptions::quantityDesign(), 3), r, 0);
    g->addWidget(txtQty, r, 1);
    g->setColumnStretch(1, 1);
    row->addWidget(item, 5);

    auto priceField = [](QWidget* parent, const char* name, int maxLength) {
        QLineEdit* e = namedField(parent, name, maxLength);
        e->setAlignment(Qt::AlignRight);
        e->setFixedWidth(120);
        attachKeyFilter(e, KeyFilter::DecimalNumber);
        attachTextHighlight(e);
        return e;
    };

    // Cost of one pack.
    auto* cost = new QGroupBox(QStringLiteral("COST OF ITEM"), block);
    auto* cg = new QGridLayout(cost);
    cg->addWidget(label(cost, UnitCaptions::packing(6, {}), 6), 0, 0, 1, 3);
    cg->addWidget(txtCost = priceField(cost, "txtCost", 12), 1, 0);
    cg->addWidget(label(cost, QStringLiteral("Discount %")), 2, 0, 1, 3);
    cg->addWidget(txtDiscount = priceField(cost, "txtDiscount", 5), 3, 0);
    cg->addWidget(label(cost, QStringLiteral("Tax %")), 4, 0, 1, 3);
    cg->addWidget(cboCostVAT = dropDown(cost, "cboCostVAT", 120), 5, 0);
    attachComboHighlight(cboCostVAT);
    cg->addWidget(makeCT(cost, 3, "Add new Tax"), 5, 1);
    cmdCostCalculator = calculatorButton(cost, "cmdCostCalculator", "Cost Calculator");
    cg->addWidget(cmdCostCalculator, 1, 1, 1, 2, Qt::AlignLeft);
    cg->setColumnStretch(2, 1);
    cg->setRowStretch(6, 1);
    row->addWidget(cost, 3);

    // MRP of one pack.
    auto* mrp = new QGroupBox(QStringLiteral("MRP OF ITEM"), block);
    auto* mg = new QGridLayout(mrp);
    mg->addWidget(label(mrp, UnitCaptions::packing(10, {}), 10), 0, 0, 1, 2);
    mg->addWidget(txtMRPWithTax = priceField(mrp, "txtMRPWithTax", 12), 1, 0);
    mg->addWidget(label(mrp, UnitCaptions::packing(7, {}), 7), 2, 0, 1, 2);
    mg->addWidget(txtMRP = priceField(mrp, "txtMRP", 12), 3, 0);
    txtMRP->setReadOnly(true);
    greyOut(txtMRP);
    mg->addWidget(label(mrp, QStringLiteral("Tax %")), 4, 0, 1, 2);
    mg->addWidget(cboMRPVAT = dropDown(mrp, "cboMRPVAT", 120), 5, 0);
    // Locked: it follows the cost tax, yet it can hold the focus that Next's check gives it.
    cboMRPVAT->setFocusPolicy(Qt::TabFocus);
    lockDropDown(cboMRPVAT);
    QPalette grey = cboMRPVAT->palette();
    grey.setColor(QPalette::Button, grey.color(QPalette::Window));
    grey.setColor(QPalette::Base, grey.color(QPalette::Button));
    cboMRPVAT->setPalette(grey);
    mg->addWidget(cmdCalculator = calculatorButton(mrp, "cmdCalculator", "MRP Calculator"), 1, 1, Qt::AlignLeft);
    mg->setColumnStretch(1, 1);
    mg->setRowStretch(6, 1);
    row->addWidget(mrp, 3);

    // The tag labels sit over the tail of their captions, marking whether the figure includes tax.
    const std::pair<int, const char*> tags[] = {{6, "without Tax"}, {7, "without Tax"}, {10, "with Tax"}};
    for (int i = 0; i < 3; ++i)
        lblWithoutVAT[i] = new TagLabel(lblPacking[tags[i].first], QStringLiteral("lblWithoutVAT(%1)").arg(i),
                                        QLatin1String(tags[i].second));
    return block;
}

// What the controls do. Leaving a field recomputes the summaries, after the field's own check.
void frmQ2::wire()
{
    using namespace QuotationChecks;
    connect(cmdMaster[0], &QPushButton::clicked, this, &frmQ2::cmdBack);
    connect(cmdMaster[1], &QPushButton::clicked, this, &frmQ2::cmdNext);
    connect(cmdMaster[5], &QPushButton::clicked, this, &frmQ2::cmdClear);
    for (int i = 0; i < 3; ++i)
        connect(cmdCT[i], &QPushButton::clicked, this, [this, i] { cmdCT_Click(i); });
    connect(cmdCT[3], &QPushButton::clicked, this, &frmQ2::cmdAddTax);
    connect(cmdCostCalculator, &QPushButton::clicked, this, [this] { openCalculator(true); });
    connect(cmdCalculator, &QPushButton::clicked, this, [this] { openCalculator(false); });
    connect(cboDrugPacking, &QComboBox::currentIndexChanged, this, &frmQ2::cboDrugPacking_Click);
    connect(cboDrugForms, &QComboBox::currentIndexChanged, this, &frmQ2::cboDrugForms_Click);
    // The MRP tax always follows the cost tax.
    connect(cboCostVAT, &QComboBox::currentIndexChanged, cboMRPVAT, &QComboBox::setCurrentIndex);

    // A warning of its own, then the recalculation.
    auto warnThenCalc = [this](std::optional<Failure> (*check)(const QuotationDraft&)) {
        return [this, check] {
            report(check(draft()));
            CalcCost();
        };
    };
    whenLeft(txtHSNCode, [this] { report(checkHsnCodeLeft(draft())); });
    whenLeft(txtCost, warnThenCalc(checkCostLeft));
    whenLeft(txtMRP, warnThenCalc(checkMrpLeft));
    whenLeft(txtMRPWithTax, warnThenCalc(checkMrpWithTaxLeft));
    whenLeft(txtDiscount, [this] {
        if (txtDiscount->text().trimmed().isEmpty())
            txtDiscount->setText(QStringLiteral("0"));
        const std::optional<Failure> refused = checkDiscountLeft(draft());
        report(refused);
        if (!refused)
            CalcCost();
    });
    whenEntered(txtMRPWithTax, [this] {
        // The prerequisites' own focus moves must not ask again.
        if (std::exchange(m_checkingMRPPrerequisites, true))
            return;
        report(checkMrpPrerequisites(draft()));
        m_checkingMRPPrerequisites = false;
    });
    // The picked boxes are locked: their checks matter only when code put a text there that no entry holds.
    whenLeft(txtDrugPacking, [this] {
        if (txtDrugPacking->text() != cboDrugPacking->currentText() && !selectByText(cboDrugPacking, txtDrugPacking->text())) {
            showInfo(this, QStringLiteral("Invalid drug packing entered. Please correct."));
            return cmdCT_Click(0);  // the pick-list ends with its own recalculation
        }
        CalcCost();
    });
    const std::tuple<QLineEdit*, QComboBox*, const char*> picked[] = {
        {txtDrugForm, cboDrugForms, "Invalid drug form entered. Please correct."},
        {txtDrugStrength, cboStrength, "Invalid drug strength entered. Please correct."}};
    for (auto [box, list, message] : picked)
        whenLeft(box, [this, box, list, message] {
            if (box->text() != list->currentText()) {
                showInfo(this, QLatin1String(message));
                box->setFocus();
            }
            CalcCost();
        });
    for (QWidget* w : std::initializer_list<QWidget*>{txtQty, cboCostVAT, cboMRPVAT})
        whenLeft(w, [this] { CalcCost(); });
}

// The control of the field a failed check names. A field left out here is a -Wswitch warning, which the
// warning-free build does not let through.
QWidget* frmQ2::control(QuotationChecks::Field field) const
{
    using F = QuotationChecks::Field;
    switch (field) {
    case F::None: return nullptr;
    case F::Manufacturer: return txtManufacturer;
    case F::HSNCode: return txtHSNCode;
    case F::DrugPacking: return txtDrugPacking;
    case F::DrugForm: return txtDrugForm;
    case F::DrugStrength: return txtDrugStrength;
    case F::Cost: return txtCost;
    case F::Discount: return txtDiscount;
    case F::CostTax: return cboCostVAT;
    case F::MRPWithTax: return txtMRPWithTax;
    case F::MRP: return txtMRP;
    case F::MRPTax: return cboMRPVAT;
    }
    return nullptr;
}

void frmQ2::report(const std::optional<QuotationChecks::Failure>& failure)
{
    if (failure)
        showFailure(this, *failure, control(failure->focus));
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

void frmQ2::FillStrengths(const QString& sql) { fill(cboStrength, nullptr, nullptr, sql); }
void frmQ2::FillDrugForms(const QString& sql) { fill(cboDrugForms, nullptr, nullptr, sql); }
void frmQ2::FillDrugPackings(const QString& sql) { fill(cboDrugPacking, cboDrugPackingP, "Ratio", sql); }

void frmQ2::FillTaxes(const QString& sql)
{
    fill(cboCostVAT, cboCostVATP, "Tax", sql);
    fill(cboMRPVAT, cboMRPVATP, "Tax", sql);
}

void frmQ2::refillList(int kind)
{
    // The fill routines append, so the lists are emptied first.
    if (kind == 1) {
        cboDrugPacking->clear();
        cboDrugPackingP->clear();
        FillDrugPackings(pickListFullSql(1));
    } else if (kind == 2 || kind == 3) {
        QComboBox* list = kind == 2 ? cboDrugForms : cboStrength;
        list->clear();
        fill(list, nullptr, nullptr, pickListFullSql(kind));
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

void frmQ2::placeTagLabels()
{
    for (TagLabel* tag : lblWithoutVAT)
        tag->place();
}

// ---- The item ----

QuotationDraft frmQ2::draft() const
{
    QuotationDraft d;
    if (const std::optional<ChosenBrand> brand = chosenBrand()) {
        d.brand = brand->brand;
        d.generic = brand->generic;
        d.brandAddedByVendor = brand->addedByVendor;
    }
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
    const std::optional<ChosenBrand> brand = chosenBrand();
    return brand ? brand->manufacturer : QString();
}

void frmQ2::CalcCost()
{
    QuotationDraft d = draft();
    d.derive();
    summary->setFigures(d.costSummary, d.mrpSummary);
    if (d.costSummary.computed)
        summary->setTaxCaptions(UnitCaptions::costTaxAmount(d.costTaxCode), {});
    if (d.mrpSummary.computed) {
        txtMRP->setText(d.mrpWithoutTax);
        summary->setTaxCaptions({}, UnitCaptions::mrpTaxAmount(d.mrpTaxCode));
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
    const std::optional<ChosenBrand> brand = chosenBrand();
    if (!brand)
        return;
    txtBrand->setText(brand->brand);
    if (txtManufacturer->text().trimmed().isEmpty())
        txtManufacturer->setText(brand->manufacturer);
    txtGeneric->setText(brand->generic);
    // The brand's form and strength once per brand chosen; afterwards what the vendor picked stands.
    if (AppState::QuotationEditMode || !AppState::Step2NeedsReset)
        return;
    AppState::Step2NeedsReset = false;
    const std::tuple<QString, QComboBox*, QLineEdit*> pairs[] = {{brand->drugForm, cboDrugForms, txtDrugForm},
                                                                 {brand->drugStrength, cboStrength, txtDrugStrength}};
    for (const auto& [value, list, box] : pairs) {
        if (value.trimmed().isEmpty()) {
            list->setCurrentIndex(-1);
            box->clear();
        } else if (selectByText(list, value)) {
            box->setText(value);
        }
    }
}

// ---- Buttons ----

void frmQ2::cmdCT_Click(int index)
{
    QComboBox* const list = std::array{cboDrugPacking, cboDrugForms, cboStrength}[size_t(index)];
    QLineEdit* const box = std::array{txtDrugPacking, txtDrugForm, txtDrugStrength}[size_t(index)];
    AppState::PickListKind = static_cast<quint8>(index + 1);
    AppState::PickedItemID = 0;
    showPickList(this, box->text(), this);
    for (int i = 0; AppState::PickedItemID != 0 && i < list->count(); ++i) {
        if (list->itemData(i).toLongLong() == AppState::PickedItemID) {
            list->setCurrentIndex(i);
            box->setText(AppState::PickedItemText);
            break;
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
    const auto failure =
        QuotationChecks::checkNext(draft(), [this](const QString& question) { return askConfirm(this, question, true); });
    if (failure)
        return report(failure);
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
    summary->setTaxCaptions(QStringLiteral("Cost Tax Amount"), QStringLiteral("MRP Tax Amount"));
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
