#pragma once

#include "quotation/quotationchecks.h"
#include "quotation/step2link.h"

#include <QMap>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SummaryBlock;
class TagLabel;

// Step 2 of the Quotation Wizard: packing, form, strength, cost, discount, tax and MRP of the chosen
// brand, with the cost and MRP summaries that follow every change. Its controls show one
// QuotationDraft: draft() reads it back, the checks and Step 3 work on that. The calculators and the
// pick-list dialog reach it through Step2Link only.
class frmQ2 : public QWidget, public Step2Link
{
    Q_OBJECT
public:
    explicit frmQ2(QWidget* parent = nullptr);
    ~frmQ2() override;

    // Recomputes the summaries and the tax amount captions from the fields.
    void CalcCost();

    // Step 1's edit loader: the stored item's HSN code, packing, form, strength, prices and taxes.
    void load(const QuotationDraft& stored);

    // Runs every time the window becomes active: brand, generic and (once per brand) form and strength
    // from Step 1's chosen row.
    void Form_Activate();

    // Step2Link
    QuotationDraft draft() const override;
    QString chosenBrandManufacturer() const override;
    void applyCost(const QString& costBeforeDiscount, const QString& discount, const QString& taxCode) override;
    void applyMrp(const QString& mrpWithoutTax, const QString& mrpWithTax, const QString& taxCode) override;
    void refillList(int kind) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildEntryBlock();
    void wire();
    void FillDrugPackings(const QString& sql);
    void FillDrugForms(const QString& sql);
    void FillStrengths(const QString& sql);
    void FillTaxes(const QString& sql);
    void fill(QComboBox* list, QComboBox* partner, const char* partnerColumn, const QString& sql);
    void cboDrugPacking_Click();
    void cboDrugForms_Click();
    void cmdCT_Click(int index);
    void cmdAddTax();
    void cmdNext();
    void cmdClear();
    void cmdBack();
    void openCalculator(bool cost);
    void placeTagLabels();
    QWidget* control(QuotationChecks::Field field) const;
    void report(const std::optional<QuotationChecks::Failure>& failure);

    QLineEdit* txtBrand;
    QLineEdit* txtGeneric;
    QLineEdit* txtManufacturer;
    QLineEdit* txtHSNCode;
    QLineEdit* txtDrugPacking;
    QLineEdit* txtDrugForm;
    QLineEdit* txtDrugStrength;
    QLineEdit* txtQty;
    QLineEdit* txtCost;
    QLineEdit* txtDiscount;
    QLineEdit* txtMRPWithTax;
    QLineEdit* txtMRP;
    // The hidden lists and their parallel "P" partners, index for index.
    QComboBox* cboDrugPacking;
    QComboBox* cboDrugPackingP;
    QComboBox* cboDrugForms;
    QComboBox* cboStrength;
    QComboBox* cboCostVAT;
    QComboBox* cboCostVATP;
    QComboBox* cboMRPVAT;
    QComboBox* cboMRPVATP;
    SummaryBlock* summary;
    QMap<int, QLabel*> lblPacking;
    QMap<int, QLabel*> lblLowestUnit;
    TagLabel* lblWithoutVAT[3];
    QPushButton* cmdCostCalculator;
    QPushButton* cmdCalculator;
    QMap<int, QPushButton*> cmdMaster;
    QMap<int, QPushButton*> cmdCT;
    bool SkipClearConfirm = false;
    bool m_checkingMRPPrerequisites = false;
};
