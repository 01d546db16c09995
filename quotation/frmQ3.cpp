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
#include "app/screenconventions.h"
#include "app/screens.h"
#include "db/dberror.h"
#include "quotation/frmQ1.h"
#include "quotation/frmQ2.h"
#include "quotation/quotationsave.h"
#include "quotation/summaryblock.h"
#include "quotation/unitcaptions.h"
#include "quotation/wizardwidgets.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString CRLF = QStringLiteral("\r\n");

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

void frmQ3::buildUi()
{
    auto* root = new QVBoxLayout(this);
    root->addLayout(makeWizardHeading(this, QStringLiteral("Review and Save..."), QStringLiteral("Screen 3 of 3")));
    // On a laptop the body scrolls; Save, Clear and Back stay in view below it.
    QVBoxLayout* body = addScrollingBody(this, root);

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
    body->addWidget(item);

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
    body->addWidget(terms);

    // The summaries, as Step 2 computed them.
    summary = new SummaryBlock(this, 6, 7, Qt::NoFocus);
    body->addWidget(summary);

    addWizardFoot(this, root,
                  QStringLiteral("1.  Enter the free of cost offer and remarks if needed.\n"
                                 "2.  Check your quote carefully, if quoted item is approved, PO will be made with the "
                                 "description, cost and MRP you have selected/entered.\n"
                                 "3.  To save the item click on save button"),
                  {{1, "&Save", "Save Quotation"}, {2, "&Clear", "Clear data on this screen"}, {0, "&Back", "Return to previous step"}},
                  cmdMaster);

    connect(cmdMaster[0], &QPushButton::clicked, this, &frmQ3::cmdBack);
    connect(cmdMaster[1], &QPushButton::clicked, this, &frmQ3::cmdSave);
    connect(cmdMaster[2], &QPushButton::clicked, this, &frmQ3::cmdClear);

    const QList<QWidget*> order = {edit("txtHSNCode"),         edit("txtCreditPeriodDays"), edit("txtDeliveryPeriodDays"),
                                   edit("txtWarrantyMonths"),  edit("txtFreeOfCostOffer"),  edit("txtRemarks"),
                                   optResearchMolecule[0],     optResearchMolecule[1],      cmdMaster[1],
                                   cmdMaster[2],               cmdMaster[0]};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    resize(1240, 640);
}

void frmQ3::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Form_Activate();
}

// The item as Step 2 holds it; Step 2 stays loaded while this screen is up.
QuotationDraft frmQ3::step2Item() const
{
    const frmQ2* step2 = DefaultInstance<frmQ2>::existing();
    return step2 ? step2->draft() : QuotationDraft();
}

void frmQ3::Form_Activate()
{
    const QuotationDraft item = step2Item();
    edit("txtBrand")->setText(item.brand);
    edit("txtGeneric")->setText(item.generic);
    edit("txtManufacturer")->setText(item.manufacturer);
    edit("txtHSNCode")->setText(item.hsnCode);
    edit("txtDrugPacking")->setText(item.drugPacking);
    edit("txtDrugForm")->setText(item.drugForm);
    edit("txtDrugStrength")->setText(item.drugStrength);
    // A new item starts from the vendor's standing terms, every time this screen comes up.
    if (AppState::WizardFromMainMenu) {
        edit("txtCreditPeriodDays")->setText(QString::number(AppState::CurrentCreditPeriod));
        edit("txtDeliveryPeriodDays")->setText(QString::number(AppState::CurrentDeliveryPeriod));
    }
    GetCost();
}

void frmQ3::GetCost()
{
    const QuotationDraft item = step2Item();
    for (int i : {0, 1, 2, 4, 5})
        summary->packingLabel(i)->setText(UnitCaptions::packing(i, item.drugPacking));
    for (int i : UnitCaptions::LowestUnitLabels)
        summary->lowestUnitLabel(i)->setText(UnitCaptions::lowestUnit(i, item.drugForm));
    summary->setTaxCaptions(UnitCaptions::costTaxAmount(item.costTaxCode), UnitCaptions::mrpTaxAmount(item.mrpTaxCode));
    summary->setFigures(item.costSummary, item.mrpSummary);
}

void frmQ3::loadTerms(const QuotationDraft& stored)
{
    edit("txtCreditPeriodDays")->setText(stored.creditPeriodInDays);
    edit("txtDeliveryPeriodDays")->setText(stored.deliveryPeriodInDays);
    edit("txtWarrantyMonths")->setText(stored.warrantyInMonths);
    const int option = stored.researchMolecule ? 0 : 1;
    optResearchMolecule[option]->setChecked(true);
    optResearchMolecule_Click(option);
    edit("txtFreeOfCostOffer")->setText(stored.freeOfCostOffer);
    edit("txtRemarks")->setText(stored.remarks);
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

QuotationDraft frmQ3::draft() const
{
    QuotationDraft item = step2Item();
    item.vendor = AppState::CurrentVendorName;
    // A change typed into this screen's HSN code is what is stored.
    item.manufacturer = edit("txtManufacturer")->text();
    item.hsnCode = edit("txtHSNCode")->text();
    item.creditPeriodInDays = edit("txtCreditPeriodDays")->text();
    item.deliveryPeriodInDays = edit("txtDeliveryPeriodDays")->text();
    item.warrantyInMonths = edit("txtWarrantyMonths")->text();
    item.researchMolecule = optResearchMolecule[0]->isChecked();
    item.freeOfCostOffer = edit("txtFreeOfCostOffer")->text();
    item.remarks = edit("txtRemarks")->text();
    return item;
}

void frmQ3::SaveQuotation()
{
    BusyCursor busy;
    try {
        const QuotationSave::Outcome outcome = QuotationSave::save(draft(), AppState::QuotationEditMode,
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
