#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Step2Link;
class QRadioButton;

// The cost calculator: Step 2's modal companion that works out the cost of one pack before discount
// from a final or a list price, and hands cost, discount and tax code back to Step 2.
class frmCalculator : public QDialog
{
    Q_OBJECT
public:
    frmCalculator(Step2Link& step2, QWidget* parent = nullptr);

    // The calculation behind "Calculate". Quiet (QuietCalc) it shows no message and leaves an empty
    // discount alone. False when it could not run; the result fields are empty then.
    bool Calculate();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void Form_Activate();
    void FillTaxList(const QString& sql);
    void CalculateQuietly();
    void txtDiscount_LostFocus();
    void cmdMaster_Click(int index);
    void clearResults();

    Step2Link& m_step2;
    bool QuietCalc = false;
    // Set while the screen moves the focus itself or is going: no field-leave handling then.
    bool m_ignoreLeaving = false;

    QLineEdit* txtBrand;
    QLineEdit* txtManufacturer;
    QLineEdit* txtGeneric;
    QLineEdit* txtDrugPacking;
    QLineEdit* txtDrugForm;
    QLineEdit* txtDrugStrength;
    QLineEdit* txtCost;
    QRadioButton* optTax[2];
    QLineEdit* txtDiscount;
    QComboBox* cboCostVAT;
    QComboBox* cboCostVATP;
    QLineEdit* txtCostBefDisc;
    QLineEdit* txtDiscAmt;
    QLineEdit* txtCostAftDisc;
    QLineEdit* txtVATAmt;
    QLineEdit* txtCostAftVAT;
    QLabel* lblPacking[5];  // 1 to 4 are used
    QPushButton* cmdCalculator;
    QPushButton* cmdMaster[2];
};
