#include "quotation/frmCalcMRP.h"
#include "quotation/wizardwidgets.h"

#include "app/decimal.h"
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
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The MRP as typed, when it is one: the box has no key filter, so anything may be in it.
std::optional<Decimal> typedMrp(const QString& text)
{
    std::optional<Decimal> mrp = Decimal::parse(text.trimmed());
    if (!mrp || *mrp < Decimal(0))
        return std::nullopt;
    return mrp;
}

} // namespace

frmCalcMRP::frmCalcMRP(Step2Link& step2, QWidget* parent) : QDialog(parent), m_step2(step2)
{
    setObjectName(QStringLiteral("frmCalcMRP"));

    auto* heading = new QLabel(QStringLiteral("Calculate MRP Before Tax"), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSize(headingFont.pointSize() + 3);
    heading->setFont(headingFont);

    auto* grid = new QGridLayout;
    lblPacking[0] = nullptr;
    lblPacking[1] = new QLabel(QStringLiteral("MRP WITH TAX"), this);
    lblPacking[1]->setObjectName(QStringLiteral("lblPacking(1)"));
    txtCost = new QLineEdit(this);
    txtCost->setObjectName(QStringLiteral("txtCost"));
    txtCost->setMaxLength(12);
    txtCost->setAlignment(Qt::AlignRight);
    grid->addWidget(lblPacking[1], 0, 0);
    grid->addWidget(txtCost, 0, 1);

    grid->addWidget(new QLabel(QStringLiteral("TAX %"), this), 1, 0);
    cboCostVAT = new QComboBox(this);
    cboCostVAT->setObjectName(QStringLiteral("cboCostVAT"));
    cboCostVAT->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cboCostVATP = new QComboBox(this);
    cboCostVATP->setObjectName(QStringLiteral("cboCostVATP"));
    cboCostVATP->setVisible(false);
    grid->addWidget(cboCostVAT, 1, 1);

    cmdCalculator = plainButton(this, QStringLiteral("cmdCalculator"), QStringLiteral("Calculate"), QString());
    grid->addWidget(cmdCalculator, 2, 1, Qt::AlignRight);

    lblPacking[2] = new QLabel(QStringLiteral("MRP WITHOUT TAX"), this);
    lblPacking[2]->setObjectName(QStringLiteral("lblPacking(2)"));
    txtCostBefDisc = new QLineEdit(this);
    txtCostBefDisc->setObjectName(QStringLiteral("txtCostBefDisc"));
    txtCostBefDisc->setAlignment(Qt::AlignRight);
    lockField(txtCostBefDisc);
    grid->addWidget(lblPacking[2], 3, 0);
    grid->addWidget(txtCostBefDisc, 3, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, 200);

    cmdMaster[0] = plainButton(this, QStringLiteral("cmdMaster(0)"), QStringLiteral("&Close"),
                          QStringLiteral("Return to Previous Screen"));
    cmdMaster[1] = plainButton(this, QStringLiteral("cmdMaster(1)"), QStringLiteral("&Select"),
                          QStringLiteral("Use Entered MRP and Tax"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdMaster[1]);
    buttons->addWidget(cmdMaster[0]);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addSpacing(6);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    setTabOrder(txtCost, cboCostVAT);
    setTabOrder(cboCostVAT, cmdCalculator);
    setTabOrder(cmdCalculator, cmdMaster[1]);
    setTabOrder(cmdMaster[1], cmdMaster[0]);

    connect(cmdCalculator, &QPushButton::clicked, this, [this] { Calculate(); });
    for (int i = 0; i < 2; ++i)
        connect(cmdMaster[i], &QPushButton::clicked, this, [this, i] { cmdMaster_Click(i); });
    // Taking the focus back to a field after a refusal is not the user leaving it.
    for (QWidget* field : std::initializer_list<QWidget*>{txtCost, cboCostVAT})
        whenLeft(field, [this] {
            if (!m_ignoreLeaving)
                CalculateQuietly();
        });

    Form_Load();
}

void frmCalcMRP::Form_Load()
{
    RemoveCloseButton(this, cmdMaster[0]);
    setWindowTitle(QStringLiteral(" Calculate MRP Before Tax"));
    FillTaxList(QStringLiteral("Select * From CT_Tax Order By Tax"));
    txtCost->setFocus();
}

void frmCalcMRP::FillTaxList(const QString& sql)
{
    try {
        fillTaxCodeLists(cboCostVAT, cboCostVATP, sql);
    } catch (const DbError& e) {
        ShowDbError(e, this);
    }
}

bool frmCalcMRP::Calculate()
{
    // A result left from an earlier calculation must not be handed back for changed inputs.
    txtCostBefDisc->clear();

    const std::optional<Decimal> mrp = typedMrp(txtCost->text());
    if (!mrp) {
        if (!QuietCalc) {
            showInfo(this, QStringLiteral("Please enter MRP with VAT"));
            m_ignoreLeaving = true;
            txtCost->setFocus();
            m_ignoreLeaving = false;
        }
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
    txtCostBefDisc->setText(mrpWithoutTax(*mrp, *tax));
    return true;
}

void frmCalcMRP::CalculateQuietly()
{
    QuietCalc = true;
    Calculate();
    QuietCalc = false;
}

void frmCalcMRP::cmdMaster_Click(int index)
{
    if (index == 0) {
        m_ignoreLeaving = true;
        close();
        return;
    }
    Calculate();
    if (txtCostBefDisc->text().isEmpty() || cboCostVAT->currentText().isEmpty())
        return;
    // Step 2 derives its MRP without tax from the MRP with tax whenever it recalculates; handing back
    // only the former would see it replaced by a figure worked from a stale (or empty) MRP with tax.
    m_step2.applyMrp(txtCostBefDisc->text(), typedMrp(txtCost->text())->toText(), cboCostVAT->currentText());
    m_ignoreLeaving = true;
    close();
}
