#pragma once

#include <QMap>
#include <QWidget>

class QLineEdit;
class QPushButton;
class QRadioButton;
class SummaryBlock;
struct QuotationDraft;

// Step 3 of the Quotation Wizard: the item as Steps 1 and 2 chose it, the commercial terms, and the save.
class frmQ3 : public QWidget
{
    Q_OBJECT
public:
    explicit frmQ3(QWidget* parent = nullptr);

    // Shows Step 2's cost and MRP summaries with their captions.
    void GetCost();
    // Runs every time the screen becomes active.
    void Form_Activate();
    // Step 1's edit loader: the stored item's terms.
    void loadTerms(const QuotationDraft& stored);
    // The item as it will be stored: Step 2's, with this screen's HSN code and terms.
    QuotationDraft draft() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildUi();
    void SaveQuotation();
    QuotationDraft step2Item() const;
    void cmdSave();
    void cmdClear();
    void cmdBack();
    void optResearchMolecule_Click(int index);
    QLineEdit* edit(const char* name) const;

    QMap<int, QPushButton*> cmdMaster;
    QRadioButton* optResearchMolecule[2] = {nullptr, nullptr};
    SummaryBlock* summary = nullptr;
    bool SaveSucceeded = false;
};
