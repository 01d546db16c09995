#include "quotation/frmQ3.h"

#include "quotation/wizardheading.h"
#include "app/applicationstate.h"
#include "app/busycursor.h"
#include "app/defaultinstance.h"
#include "app/focushighlight.h"
#include "app/frmMain.h"
#include "app/textboxkeyfilter.h"
#include "app/messagebox.h"
#include "app/removeclosebutton.h"
#include "app/screens.h"
#include "app/statusbar.h"
#include "db/dberror.h"
#include "db/recordset.h"
#include "quotation/frmQ1.h"
#include "quotation/frmQ2.h"
#include "quotation/quotationsave.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

const QString CRLF = QStringLiteral("\r\n");

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

QString step2Text(const char* name)
{
    frmQ2* step2 = DefaultInstance<frmQ2>::existing();
    if (!step2)
        return {};
    if (auto* e = step2->findChild<QLineEdit*>(QLatin1String(name)))
        return e->text();
    if (auto* c = step2->findChild<QComboBox*>(QLatin1String(name)))
        return c->currentText();
    if (auto* l = step2->findChild<QLabel*>(QLatin1String(name)))
        return l->text();
    return {};
}

} // namespace

frmQ3::frmQ3(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmQ3"));
    // Only the main menu ends the application; a wizard step closing never does, even when it was the
    // last window shown at that moment.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Enter Quotation - Review and Save..."));
    buildUi();
    optResearchMolecule[1]->setChecked(true);
    optResearchMolecule_Click(1);
    RemoveCloseButton(this);
}

QLineEdit* frmQ3::edit(const char* name) const
{
    return findChild<QLineEdit*>(QLatin1String(name));
}

QLabel* frmQ3::label(const QString& name) const
{
    return findChild<QLabel*>(name);
}

void frmQ3::buildUi()
{
    auto* root = new QVBoxLayout(this);
    root->addLayout(makeWizardHeading(this, QStringLiteral("Review and Save..."), QStringLiteral("Screen 3 of 3")));

    auto addField = [](QGridLayout* g, int r, int c, QWidget* parent, const QString& caption, const char* name) {
        auto* e = new QLineEdit(parent);
        e->setObjectName(QLatin1String(name));
        g->addWidget(new QLabel(caption, parent), r, c);
        g->addWidget(e, r, c + 1);
        return e;
    };

    // What Steps 1 and 2 chose; only the HSN code may still be changed here.
    auto* item = new QGroupBox(this);
    auto* ig = new QGridLayout(item);
    const std::pair<const char*, const char*> described[] = {
        {"txtGeneric", "Generic"},          {"txtBrand", "Brand"},         {"txtManufacturer", "Manufacturer"},
        {"txtHSNCode", "HSN Code"},         {"txtDrugPacking", "Drug Packing"}, {"txtDrugForm", "Drug Form"},
        {"txtDrugStrength", "Drug Strength"}};
    for (int i = 0; i < 7; ++i) {
        QLineEdit* e = addField(ig, i % 4, (i / 4) * 2, item, QLatin1String(described[i].second), described[i].first);
        greyOut(e);
        if (QLatin1String(described[i].first) == QLatin1String("txtHSNCode")) {
            e->setMaxLength(12);
        } else {
            e->setReadOnly(true);
            e->setFocusPolicy(Qt::NoFocus);
        }
    }
    ig->setColumnStretch(1, 1);
    ig->setColumnStretch(3, 1);
    root->addWidget(item);

    // The commercial terms.
    auto* terms = new QGroupBox(this);
    auto* tg = new QGridLayout(terms);
    const std::pair<const char*, const char*> periods[] = {{"txtCreditPeriodDays", "Credit Period in days"},
                                                           {"txtDeliveryPeriodDays", "Delivery Period in days"},
                                                           {"txtWarrantyMonths", "Warranty in months"}};
    for (int i = 0; i < 3; ++i) {
        QLineEdit* e = addField(tg, i, 0, terms, QLatin1String(periods[i].second), periods[i].first);
        e->setMaxLength(3);
        e->setFixedWidth(70);
        attachKeyFilter(e, KeyFilter::WholeNumber);
        attachTextHighlight(e);
    }
    QLineEdit* offer = addField(tg, 0, 2, terms, QStringLiteral("Free of cost offer/ Scheme"), "txtFreeOfCostOffer");
    QLineEdit* remarks = addField(tg, 1, 2, terms, QStringLiteral("Remarks"), "txtRemarks");
    for (QLineEdit* e : {offer, remarks}) {
        e->setMaxLength(500);
        attachTextHighlight(e);
    }
    auto* research = new QHBoxLayout;
    research->addWidget(new QLabel(QStringLiteral("Is this product a Research Molecule of your company?"), terms));
    auto* group = new QButtonGroup(this);
    const char* options[] = {"Yes", "No"};
    for (int i = 0; i < 2; ++i) {
        optResearchMolecule[i] = new QRadioButton(QLatin1String(options[i]), terms);
        optResearchMolecule[i]->setObjectName(QStringLiteral("optResearchMolecule(%1)").arg(i));
        group->addButton(optResearchMolecule[i], i);
        research->addWidget(optResearchMolecule[i]);
    }
    research->addStretch();
    tg->addLayout(research, 2, 2, 1, 2);
    tg->setColumnStretch(3, 1);
    connect(group, &QButtonGroup::idClicked, this, [this](int id) { optResearchMolecule_Click(id); });
    root->addWidget(terms);

    // The summaries, as Step 2 computed them.
    auto addSummary = [](QGridLayout* g, int r, int c, QWidget* parent, const QString& labelName,
                         const QString& caption, const char* field) {
        auto* l = new QLabel(caption, parent);
        if (!labelName.isEmpty())
            l->setObjectName(labelName);
        auto* e = new QLineEdit(parent);
        e->setObjectName(QLatin1String(field));
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setAlignment(Qt::AlignRight);
        e->setFixedWidth(110);
        greyOut(e);
        g->addWidget(l, r, c);
        g->addWidget(e, r, c + 1);
    };
    auto P = [](int i) { return QStringLiteral("lblPacking(%1)").arg(i); };
    auto L = [](int i) { return QStringLiteral("lblLowestUnit(%1)").arg(i); };
    auto* summaries = new QHBoxLayout;
    auto* cost = new QGroupBox(QStringLiteral("COST SUMMARY"), this);
    auto* cg = new QGridLayout(cost);
    addSummary(cg, 0, 0, cost, P(0), QStringLiteral("Cost of ____ before Discount"), "txtCostBefDisc");
    addSummary(cg, 1, 0, cost, {}, QStringLiteral("Discount Amount"), "txtDiscAmt");
    addSummary(cg, 2, 0, cost, P(1), QStringLiteral("Cost of ____ after Discount without Tax"), "txtCostAftDisc");
    addSummary(cg, 3, 0, cost, P(6), QStringLiteral("Cost Tax Amount"), "txtVATAmt");
    addSummary(cg, 4, 0, cost, P(2), QStringLiteral("Cost of ____ after Discount with Tax"), "txtCostAftVAT");
    addSummary(cg, 0, 2, cost, L(0), QStringLiteral("Cost of ____ before Discount"), "txtCostLUBefDisc");
    addSummary(cg, 1, 2, cost, {}, QStringLiteral("Discount Amount"), "txtLUDiscAmt");
    addSummary(cg, 2, 2, cost, L(1), QStringLiteral("Cost of ____ after Discount without Tax"), "txtCostLUAftDisc");
    addSummary(cg, 3, 2, cost, L(5), QStringLiteral("Cost Tax Amount"), "txtLUVATAmt");
    addSummary(cg, 4, 2, cost, L(2), QStringLiteral("Cost of ____ after Discount with Tax"), "txtCostLUAftVAT");
    cg->setColumnStretch(0, 1);
    cg->setColumnStretch(2, 1);
    summaries->addWidget(cost, 3);
    auto* mrp = new QGroupBox(QStringLiteral("MRP SUMMARY"), this);
    auto* mg = new QGridLayout(mrp);
    addSummary(mg, 0, 0, mrp, P(5), QStringLiteral("MRP of ____ without Tax"), "txtMRPWithoutVAT");
    addSummary(mg, 1, 0, mrp, P(7), QStringLiteral("MRP Tax Amount"), "txtMRPVATAmt");
    addSummary(mg, 2, 0, mrp, P(4), QStringLiteral("MRP of ____ with Tax"), "txtMRPWithVAT");
    addSummary(mg, 3, 0, mrp, L(4), QStringLiteral("MRP of ____ without Tax"), "txtMRPWithoutVATLU");
    addSummary(mg, 4, 0, mrp, L(6), QStringLiteral("MRP Tax Amount"), "txtMRPVATAmtLU");
    addSummary(mg, 5, 0, mrp, L(3), QStringLiteral("MRP of ____ with Tax"), "txtMRPWithVATLU");
    mg->setColumnStretch(0, 1);
    summaries->addWidget(mrp, 2);
    root->addLayout(summaries);

    auto* bottom = new QHBoxLayout;
    auto* hints = new QLabel(QStringLiteral("1.  Enter the free of cost offer and remarks if needed.\n"
                                            "2.  Check your quote carefully, if quoted item is approved, PO will be "
                                            "made with the description, cost and MRP you have selected/entered.\n"
                                            "3.  To save the item click on save button"),
                             this);
    hints->setWordWrap(true);
    bottom->addWidget(hints, 1);
    auto* buttons = new QVBoxLayout;
    const std::tuple<int, const char*, const char*> specs[] = {{1, "&Save", "Save Quotation"},
                                                               {2, "&Clear", "Clear data on this screen"},
                                                               {0, "&Back", "Return to previous step"}};
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

    connect(cmdMaster[0], &QPushButton::clicked, this, &frmQ3::cmdBack);
    connect(cmdMaster[1], &QPushButton::clicked, this, &frmQ3::cmdSave);
    connect(cmdMaster[2], &QPushButton::clicked, this, &frmQ3::cmdClear);

    const QList<QWidget*> order = {edit("txtHSNCode"),         edit("txtCreditPeriodDays"), edit("txtDeliveryPeriodDays"),
                                   edit("txtWarrantyMonths"),  edit("txtFreeOfCostOffer"),  edit("txtRemarks"),
                                   optResearchMolecule[0],     optResearchMolecule[1],      cmdMaster[1],
                                   cmdMaster[2],               cmdMaster[0]};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    resize(1000, 640);
}

void frmQ3::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Form_Activate();
}

void frmQ3::Form_Activate()
{
    frmQ1* step1 = DefaultInstance<frmQ1>::existing();
    const QStringList brand = step1 ? step1->selectedBrand() : QStringList();
    edit("txtBrand")->setText(brand.value(1));
    edit("txtGeneric")->setText(brand.value(3));
    for (const char* name : {"txtManufacturer", "txtHSNCode", "txtDrugPacking", "txtDrugForm", "txtDrugStrength"})
        edit(name)->setText(step2Text(name));
    // A new item starts from the vendor's standing terms, every time this screen comes up.
    if (AppState::WizardFromMainMenu) {
        edit("txtCreditPeriodDays")->setText(QString::number(AppState::CurrentCreditPeriod));
        edit("txtDeliveryPeriodDays")->setText(QString::number(AppState::CurrentDeliveryPeriod));
    }
    GetCost();
}

void frmQ3::GetCost()
{
    const QString costTax = step2Text("cboCostVAT");
    const QString mrpTax = step2Text("cboMRPVAT");
    auto P = [](int i) { return QStringLiteral("lblPacking(%1)").arg(i); };
    auto L = [](int i) { return QStringLiteral("lblLowestUnit(%1)").arg(i); };
    auto copyCaption = [this](const QString& name) { label(name)->setText(step2Text(name.toLatin1().constData())); };
    auto copyField = [this](const char* name) { edit(name)->setText(step2Text(name)); };

    copyCaption(P(0));
    copyField("txtCostBefDisc");
    copyField("txtDiscAmt");
    copyCaption(P(1));
    copyField("txtCostAftDisc");
    label(P(6))->setText(QStringLiteral("Cost Tax Amount (") + costTax + QStringLiteral(")"));
    copyField("txtVATAmt");
    copyCaption(P(2));
    copyField("txtCostAftVAT");
    copyCaption(L(0));
    copyField("txtCostLUBefDisc");
    copyField("txtLUDiscAmt");
    copyCaption(L(1));
    copyField("txtCostLUAftDisc");
    label(L(5))->setText(QStringLiteral("Cost Tax Amount (") + costTax + QStringLiteral(")"));
    copyField("txtLUVATAmt");
    copyCaption(L(2));
    copyField("txtCostLUAftVAT");
    copyCaption(P(4));
    copyField("txtMRPWithVAT");
    label(P(7))->setText(QStringLiteral("MRP Tax Amount (") + mrpTax + QStringLiteral(")"));
    copyField("txtMRPVATAmt");
    copyCaption(P(5));
    copyField("txtMRPWithoutVAT");
    copyCaption(L(3));
    copyField("txtMRPWithVATLU");
    label(L(6))->setText(QStringLiteral("MRP Tax Amount (") + mrpTax + QStringLiteral(")"));
    copyField("txtMRPVATAmtLU");
    copyCaption(L(4));
    copyField("txtMRPWithoutVATLU");
}

void frmQ3::fillFromStoredRow(const Recordset& rs)
{
    edit("txtCreditPeriodDays")->setText(storedText(rs, "CreditPeriodInDays"));
    edit("txtDeliveryPeriodDays")->setText(storedText(rs, "DeliveryPeriodInDays"));
    edit("txtWarrantyMonths")->setText(storedText(rs, "WarrantyInMonths"));
    const QVariant research = rs.field(QStringLiteral("ResearchMolecule"));
    const int option = !research.isNull() && research.toBool() ? 0 : 1;
    optResearchMolecule[option]->setChecked(true);
    optResearchMolecule_Click(option);
    edit("txtFreeOfCostOffer")->setText(storedText(rs, "FreeOfCostOffer"));
    edit("txtRemarks")->setText(storedText(rs, "Remarks"));
    Form_Activate();
}

void frmQ3::optResearchMolecule_Click(int index)
{
    for (int i = 0; i < 2; ++i) {
        QFont f = optResearchMolecule[i]->font();
        f.setBold(i == index);
        optResearchMolecule[i]->setFont(f);
    }
}

QuotationSave::Values frmQ3::gatherValues() const
{
    QuotationSave::Values v;
    frmQ1* step1 = DefaultInstance<frmQ1>::existing();
    const QStringList brand = step1 ? step1->selectedBrand() : QStringList();
    frmQ2* step2 = DefaultInstance<frmQ2>::existing();
    v.vendor = AppState::CurrentVendorName;
    v.generic = brand.value(3);
    v.brand = brand.value(1);
    v.manufacturer = edit("txtManufacturer")->text();
    v.hsnCode = edit("txtHSNCode")->text();
    v.brandAddedByVendor = brand.value(4) == QLatin1String("Yes");
    v.drugPacking = step2Text("cboDrugPacking");
    v.drugForm = step2Text("cboDrugForms");
    v.quantityInEachStripOrPack = step2 ? step2->packingRatio() : QString();
    v.drugStrength = step2Text("cboStrength");
    v.costOfPackBeforeDiscountWithoutVAT = step2Text("txtCost");
    v.discountPercent = step2Text("txtDiscount");
    v.costVATCode = step2Text("cboCostVAT");
    v.costVATPercent = step2 ? step2->costTaxPercent() : QString();
    v.mrpOfPackWithoutVAT = step2Text("txtMRP");
    v.mrpOfPackWithVAT = step2Text("txtMRPWithTax");
    v.mrpVATCode = step2Text("cboMRPVAT");
    v.mrpVATPercent = step2 ? step2->mrpTaxPercent() : QString();
    v.creditPeriodInDays = edit("txtCreditPeriodDays")->text();
    v.deliveryPeriodInDays = edit("txtDeliveryPeriodDays")->text();
    v.warrantyInMonths = edit("txtWarrantyMonths")->text();
    v.researchMolecule = optResearchMolecule[0]->isChecked();
    v.freeOfCostOffer = edit("txtFreeOfCostOffer")->text();
    v.remarks = edit("txtRemarks")->text();
    return v;
}

void frmQ3::SaveQuotation()
{
    BusyCursor busy;
    try {
        const QuotationSave::Outcome outcome = QuotationSave::save(gatherValues(), AppState::QuotationEditMode,
                                                                   AppState::QuotationEditKey,
                                                                   QDateTime::currentDateTime());
        if (outcome.refusal != QuotationSave::Refusal::None) {
            BusyCursor::restoreAll();
            showInfo(this, outcome.message);
            return;
        }
        if (AppState::QuotationEditMode)
            refreshQuotedItem(outcome.id);
        SaveSucceeded = true;
    } catch (const DbError& e) {
        ShowDbError(e, this);
    }
}

void frmQ3::cmdSave()
{
    SaveSucceeded = false;
    SaveQuotation();
    if (!SaveSucceeded) {
        showMessage(this, QStringLiteral("Info"), QStringLiteral("Could not Save Quotation"), QMessageBox::Critical);
        return;
    }
    bool addMore = false;
    if (AppState::QuotationEditMode) {
        showInfo(this, QStringLiteral("Quotation Saved"));
    } else {
        addMore = showMessage(this, QStringLiteral("Info"),
                              QStringLiteral("Quotation Saved") + CRLF + CRLF +
                                  QStringLiteral("Do you want to add more item to quotation now?"),
                              QMessageBox::Question, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }
    AppState::QuotationEditMode = false;
    AppState::QuotationEditKey = QString();
    AppState::MasterEditMode = false;
    AppState::MasterEditKey = QString();
    frmQ1::unloadWizard(false);
    if (!AppState::WizardFromMainMenu)
        showQuotedItemsList();
    else if (!addMore)
        DefaultInstance<frmMain>::get().show();
    else
        startQuotationWizard();
}

void frmQ3::cmdClear()
{
    if (!askConfirm(this, QStringLiteral("Do you really want to clear this form?")))
        return;
    for (const char* name :
         {"txtWarrantyMonths", "txtCreditPeriodDays", "txtDeliveryPeriodDays", "txtFreeOfCostOffer", "txtRemarks"})
        edit(name)->clear();
    optResearchMolecule[1]->setChecked(true);
    optResearchMolecule_Click(1);
}

void frmQ3::cmdBack()
{
    hide();
    if (frmQ2* step2 = DefaultInstance<frmQ2>::existing()) {
        step2->show();
        step2->activateWindow();
    }
}

void frmQ3::closeEvent(QCloseEvent* event)
{
    event->accept();
    DefaultInstance<frmQ3>::release();
}
