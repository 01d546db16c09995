#pragma once

#include <QMap>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class Recordset;
namespace QuotationSave { struct Values; }

// Step 3 of the Quotation Wizard: the item as Steps 1 and 2 chose it, the commercial terms, and the save.
class frmQ3 : public QWidget
{
    Q_OBJECT
public:
    explicit frmQ3(QWidget* parent = nullptr);

    // Copies Step 2's cost and MRP summaries and their captions.
    void GetCost();
    // Runs every time the screen becomes active.
    void Form_Activate();
    // Step 1's edit loader: the stored row's terms.
    void fillFromStoredRow(const Recordset& rs);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildUi();
    void SaveQuotation();
    QuotationSave::Values gatherValues() const;
    void cmdSave();
    void cmdClear();
    void cmdBack();
    void optResearchMolecule_Click(int index);
    QLineEdit* edit(const char* name) const;
    QLabel* label(const QString& name) const;

    QMap<int, QPushButton*> cmdMaster;
    QRadioButton* optResearchMolecule[2] = {nullptr, nullptr};
    bool SaveSucceeded = false;
};
