#include "quotation/frmCalculator.h"
#include "quotation/wizardwidgets.h"

#include "app/decimal.h"
#include "app/textboxkeyfilter.h"
#include "app/messagebox.h"
#include "app/removeclosebutton.h"
#include "db/dberror.h"
#include "quotation/calculatormath.h"
#include "quotation/dialogcontrols.h"
#include "quotation/step2link.h"
#include "quotation/taxcodelists.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLineEdit* lineEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QLabel* label(QWidget* parent, const QString& text, const QString& name = QString())
{
    auto* l = new QLabel(text, parent);
    if (!name.isEmpty())
        l->setObjectName(name);
    return l;
}

} // namespace

frmCalculator::frmCalculator(Step2Link& step2, QWidget* parent) : QDialog(parent), m_step2(step2)
{
    setObjectName(QStringLiteral("frmCalculator"));

    auto* heading = label(this, QStringLiteral("Calculate Cost Before Tax"));
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSize(headingFont.pointSize() + 3);
    heading->setFont(headingFont);

    // What is being priced.
    auto* item = new QGroupBox(this);
    auto* itemGrid = new QGridLayout(item);
    txtBrand = lineEdit(item, "txtBrand");
    txtManufacturer = lineEdit(item, "txtManufacturer");
    txtGeneric = lineEdit(item, "txtGeneric");
    txtDrugPacking = lineEdit(item, "txtDrugPacking");
    txtDrugForm = lineEdit(item, "txtDrugForm");
    txtDrugStrength = lineEdit(item, "txtDrugStrength");
    const std::pair<const char*, QLineEdit*> descriptions[] = {
        {"Brand", txtBrand},         {"Manufacturer", txtManufacturer}, {"Generic", txtGeneric},
        {"Drug Packing", txtDrugPacking}, {"Drug Form", txtDrugForm},   {"Drug Strength", txtDrugStrength},
    };
    for (int i = 0; i < 6; ++i) {
        lockField(descriptions[i].second);
        descriptions[i].second->setMinimumWidth(200);
        const int row = i / 2;
        const int col = (i % 2) * 2;
        itemGrid->addWidget(label(item, QLatin1String(descriptions[i].first)), row, col);
        itemGrid->addWidget(descriptions[i].second, row, col + 1);
    }
    itemGrid->setColumnStretch(1, 1);
    itemGrid->setColumnStretch(3, 1);

    // What the vendor enters.
    auto* entry = new QGroupBox(this);
    auto* entryGrid = new QGridLayout(entry);
    for (int i = 0; i < 5; ++i)
        lblPacking[i] = nullptr;
    lblPacking[1] = label(entry, QString(), QStringLiteral("lblPacking(1)"));
    txtCost = lineEdit(entry, "txtCost");
    txtCost->setMaxLength(12);
    txtCost->setAlignment(Qt::AlignRight);
    attachKeyFilter(txtCost, KeyFilter::DecimalNumber);
    entryGrid->addWidget(lblPacking[1], 0, 0);
    entryGrid->addWidget(txtCost, 0, 1);

    entryGrid->addWidget(label(entry, QStringLiteral("Above Cost is")), 1, 0);
    auto* options = new QVBoxLayout;
    optTax[0] = new QRadioButton(QStringLiteral("Inclusive of Tax and Discount"), entry);
    optTax[0]->setObjectName(QStringLiteral("optTax(0)"));
    optTax[1] = new QRadioButton(QStringLiteral("Exclusive of Tax and Discount"), entry);
    optTax[1]->setObjectName(QStringLiteral("optTax(1)"));
    optTax[1]->setChecked(true);
    options->addWidget(optTax[0]);
    options->addWidget(optTax[1]);
    entryGrid->addLayout(options, 1, 1);

    entryGrid->addWidget(label(entry, QStringLiteral("Discount %"), QStringLiteral("lblDiscount")), 2, 0);
    txtDiscount = lineEdit(entry, "txtDiscount");
    txtDiscount->setMaxLength(5);
    txtDiscount->setAlignment(Qt::AlignRight);
    attachKeyFilter(txtDiscount, KeyFilter::DecimalNumber);
    entryGrid->addWidget(txtDiscount, 2, 1);

    entryGrid->addWidget(label(entry, QStringLiteral("Tax %")), 3, 0);
    cboCostVAT = new QComboBox(entry);
    cboCostVAT->setObjectName(QStringLiteral("cboCostVAT"));
    cboCostVAT->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cboCostVATP = new QComboBox(entry);
    cboCostVATP->setObjectName(QStringLiteral("cboCostVATP"));
    cboCostVATP->setVisible(false);
    entryGrid->addWidget(cboCostVAT, 3, 1);

    cmdCalculator = plainButton(entry, QStringLiteral("cmdCalculator"), QStringLiteral("Calculate"), QString());
    entryGrid->addWidget(cmdCalculator, 4, 1, Qt::AlignRight);
    entryGrid->setColumnStretch(1, 1);

    // What comes out.
    auto* results = new QGroupBox(this);
    auto* resultGrid = new QGridLayout(results);
    lblPacking[2] = label(results, QString(), QStringLiteral("lblPacking(2)"));
    lblPacking[3] = label(results, QString(), QStringLiteral("lblPacking(3)"));
    lblPacking[4] = label(results, QString(), QStringLiteral("lblPacking(4)"));
    txtCostBefDisc = lineEdit(results, "txtCostBefDisc");
    txtDiscAmt = lineEdit(results, "txtDiscAmt");
    txtCostAftDisc = lineEdit(results, "txtCostAftDisc");
    txtVATAmt = lineEdit(results, "txtVATAmt");
    txtCostAftVAT = lineEdit(results, "txtCostAftVAT");
    const std::pair<QLabel*, QLineEdit*> resultRows[] = {
        {lblPacking[2], txtCostBefDisc},
        {label(results, QStringLiteral("Discount Amount")), txtDiscAmt},
        {lblPacking[3], txtCostAftDisc},
        {label(results, QStringLiteral("Cost Tax Amount")), txtVATAmt},
        {lblPacking[4], txtCostAftVAT},
    };
    for (int i = 0; i < 5; ++i) {
        lockField(resultRows[i].second);
        resultRows[i].second->setAlignment(Qt::AlignRight);
        resultGrid->addWidget(resultRows[i].first, i, 0);
        resultGrid->addWidget(resultRows[i].second, i, 1);
    }
    resultGrid->setColumnStretch(1, 1);

    cmdMaster[0] = plainButton(this, QStringLiteral("cmdMaster(0)"), QStringLiteral("&Close"),
                          QStringLiteral("Return to Previous Screen"));
    cmdMaster[1] = plainButton(this, QStringLiteral("cmdMaster(1)"), QStringLiteral("&Select"),
                          QStringLiteral("Use selected item"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdMaster[1]);
    buttons->addWidget(cmdMaster[0]);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(item);
    layout->addWidget(entry);
    layout->addWidget(results);
    layout->addLayout(buttons);

    setTabOrder(txtCost, optTax[0]);
    setTabOrder(optTax[0], optTax[1]);
    setTabOrder(optTax[1], txtDiscount);
    setTabOrder(txtDiscount, cboCostVAT);
    setTabOrder(cboCostVAT, cmdCalculator);
    setTabOrder(cmdCalculator, cmdMaster[1]);
    setTabOrder(cmdMaster[1], cmdMaster[0]);

    connect(cmdCalculator, &QPushButton::clicked, this, [this] { Calculate(); });
    for (int i = 0; i < 2; ++i) {
        connect(optTax[i], &QRadioButton::clicked, this, [this] { CalculateQuietly(); });
        connect(cmdMaster[i], &QPushButton::clicked, this, [this, i] { cmdMaster_Click(i); });
    }
    // Taking the focus back to a field after a refusal is not the user leaving it.
    whenLeft(txtCost, [this] {
        if (!m_ignoreLeaving)
            CalculateQuietly();
    });
    whenLeft(txtDiscount, [this] {
        if (!m_ignoreLeaving)
            txtDiscount_LostFocus();
    });
    whenLeft(cboCostVAT, [this] {
        if (!m_ignoreLeaving)
            Calculate();
    });

    Form_Load();
}

void frmCalculator::Form_Load()
{
    RemoveCloseButton(this, cmdMaster[0]);
    setWindowTitle(QStringLiteral("Cost Calculator"));
    FillTaxList(QStringLiteral("Select * From CT_Tax Order By Tax"));
    Form_Activate();
    txtCost->setFocus();
}

void frmCalculator::FillTaxList(const QString& sql)
{
    try {
        fillTaxCodeLists(cboCostVAT, cboCostVATP, sql);
    } catch (const DbError& e) {
        ShowDbError(e, this);
    }
}

void frmCalculator::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void frmCalculator::Form_Activate()
{
    const QuotationDraft item = m_step2.draft();
    txtBrand->setText(item.brand);
    if (txtManufacturer->text().trimmed().isEmpty())
        txtManufacturer->setText(m_step2.chosenBrandManufacturer());
    txtGeneric->setText(item.generic);
    txtDrugPacking->setText(item.drugPacking);
    txtDrugForm->setText(item.drugForm);
    txtDrugStrength->setText(item.drugStrength);
    // A long name shows its beginning, not its end.
    for (QLineEdit* box : {txtBrand, txtManufacturer, txtGeneric, txtDrugPacking, txtDrugForm, txtDrugStrength})
        box->setCursorPosition(0);

    const QString packing = txtDrugPacking->text();
    lblPacking[1]->setText(QStringLiteral("Cost of ") + packing + QStringLiteral(" ") + item.drugForm +
                           QStringLiteral(" is Rs."));
    lblPacking[2]->setText(QStringLiteral("Cost of ") + packing + QStringLiteral(" before Discount"));
    lblPacking[3]->setText(QStringLiteral("Cost of ") + packing + QStringLiteral(" after Discount without Tax"));
    lblPacking[4]->setText(QStringLiteral("Cost of ") + packing + QStringLiteral(" after Discount with Tax"));
}

void frmCalculator::clearResults()
{
    for (QLineEdit* result : {txtCostBefDisc, txtDiscAmt, txtCostAftDisc, txtVATAmt, txtCostAftVAT})
        result->clear();
}

bool frmCalculator::Calculate()
{
    // Results left over from an earlier calculation must not stand beside inputs that no longer
    // give them, nor be handed back by "&Select".
    clearResults();

    // The filter lets a lone full stop through; that is no cost either.
    const std::optional<Decimal> cost = Decimal::parse(txtCost->text());
    if (!cost) {
        if (!QuietCalc)
            showInfo(this, QStringLiteral("Please enter Cost"));
        return false;
    }
    if (!QuietCalc && txtDiscount->text().isEmpty())
        txtDiscount->setText(QStringLiteral("0"));
    const Decimal discount = Decimal::leadingNumber(txtDiscount->text());
    // A discount of 100 would divide by zero when the price is worked back from a final price.
    if (discount > Decimal(99)) {
        if (!QuietCalc)
            showInfo(this, QStringLiteral("Discount cannot be > 99%"));
        return false;
    }
    const std::optional<Decimal> tax = cboCostVAT->currentText().isEmpty()
                                           ? std::nullopt
                                           : usableTaxPercent(cboCostVATP->itemText(cboCostVAT->currentIndex()));
    if (!tax) {
        if (!QuietCalc)
            showInfo(this, QStringLiteral("Please select Tax"));
        return false;
    }

    const CostBasis basis = optTax[0]->isChecked() ? CostBasis::InclusiveOfTaxAndDiscount
                                                   : CostBasis::ExclusiveOfTaxAndDiscount;
    const CostFigures figures = calculateCost(basis, *cost, discount, *tax);
    txtCostBefDisc->setText(figures.costBefDisc);
    txtDiscAmt->setText(figures.discAmt);
    txtCostAftDisc->setText(figures.costAftDisc);
    txtVATAmt->setText(figures.vatAmt);
    txtCostAftVAT->setText(figures.costAftVAT);
    return true;
}

void frmCalculator::CalculateQuietly()
{
    QuietCalc = true;
    Calculate();
    QuietCalc = false;
}

void frmCalculator::txtDiscount_LostFocus()
{
    if (Decimal::leadingNumber(txtDiscount->text()) > Decimal(99)) {
        // Taking the focus back from the next field is not the user leaving that field.
        m_ignoreLeaving = true;
        txtDiscount->setFocus();
        m_ignoreLeaving = false;
        showInfo(this, QStringLiteral("Discount cannot be > 99%"));
        return;
    }
    CalculateQuietly();
}

void frmCalculator::cmdMaster_Click(int index)
{
    if (index == 0) {
        m_ignoreLeaving = true;
        close();
        return;
    }
    Calculate();
    if (txtCostBefDisc->text().isEmpty() || txtDiscount->text().isEmpty() || cboCostVAT->currentText().isEmpty())
        return;
    m_step2.applyCost(txtCostBefDisc->text(), txtDiscount->text(), cboCostVAT->currentText());
    m_ignoreLeaving = true;
    close();
}
