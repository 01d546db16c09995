#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Step2Link;

// The MRP calculator: Step 2's modal companion that takes the MRP of a pack with tax and a tax code,
// shows the MRP without tax and hands both figures and the code back to Step 2.
class frmCalcMRP : public QDialog
{
    Q_OBJECT
public:
    frmCalcMRP(Step2Link& step2, QWidget* parent = nullptr);

    // The calculation behind "Calculate"; quiet (QuietCalc) it shows no message. False when it could
    // not run; the result is empty then.
    bool Calculate();

private:
    void Form_Load();
    void FillTaxList(const QString& sql);
    void CalculateQuietly();
    void cmdMaster_Click(int index);

    Step2Link& m_step2;
    bool QuietCalc = false;
    // Set while the screen moves the focus itself or is going: no field-leave handling then.
    bool m_ignoreLeaving = false;

    QLineEdit* txtCost;
    QComboBox* cboCostVAT;
    QComboBox* cboCostVATP;
    QLineEdit* txtCostBefDisc;
    QLabel* lblPacking[3];  // 1 and 2 are used
    QPushButton* cmdCalculator;
    QPushButton* cmdMaster[2];
};
