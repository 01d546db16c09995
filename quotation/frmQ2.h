#pragma once

#include <QMap>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Recordset;

// Step 2 of the Quotation Wizard: packing, form, strength, cost, discount, tax and MRP of the chosen
// brand, with the cost and MRP summaries that follow every change. The calculators and the pick-list
// dialog reach it by its objectName and its controls' names, and call its routines by name.
class frmQ2 : public QWidget
{
    Q_OBJECT
public:
    explicit frmQ2(QWidget* parent = nullptr);

    Q_INVOKABLE void CalcCost();
    // Each appends an empty entry, then one entry per row of its SQL text; callers that refill clear
    // the lists first. Without an SQL text each reads its whole table in the load order.
    Q_INVOKABLE void FillDrugPackings(const QString& sql = QString());
    Q_INVOKABLE void FillDrugForms(const QString& sql = QString());
    Q_INVOKABLE void FillStrengths(const QString& sql = QString());
    Q_INVOKABLE void FillTaxes(const QString& sql = QString());

    // Step 1's edit loader: the stored row's HSN code, packing, form, strength, prices and taxes.
    void fillFromStoredRow(const Recordset& rs);

    // Runs every time the window becomes active: brand, generic and (once per brand) form and strength
    // from Step 1's chosen row.
    void Form_Activate();

    // What Step 3 reads: the selected entries' numbers of the hidden parallel lists.
    QString packingRatio() const;
    QString costTaxPercent() const;
    QString mrpTaxPercent() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildUi();
    QWidget* buildEntryBlock();
    QWidget* buildSummaryBlock();
    void cboDrugPacking_Click();
    void cboDrugForms_Click();
    void cmdCT_Click(int index);
    void cmdAddTax();
    void cmdNext();
    void cmdClear();
    void cmdBack();
    void openCalculator(bool cost);
    void fieldLeft(QWidget* field);
    void mrpWithTaxEntered();
    void placeTagLabels();
    bool selectByText(QComboBox* combo, const QString& value);

    QLineEdit* edit(const char* name) const;
    void fillDescriptionList(const char* comboName, const QString& sql);
    QComboBox* combo(const char* name) const;
    QLabel* label(const QString& name) const;

    QMap<int, QPushButton*> cmdMaster;
    QMap<int, QPushButton*> cmdCT;
    bool SkipClearConfirm = false;
    bool m_checkingMRPPrerequisites = false;
};
