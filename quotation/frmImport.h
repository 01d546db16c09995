#pragma once

#include "quotation/pricelistimport.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

// Importing a price list: the vendor chooses a file, sees what each row would become, and stores the
// accepted rows all at once.
class frmImport : public QDialog
{
    Q_OBJECT
public:
    explicit frmImport(QWidget* parent = nullptr);
    // Whether anything was stored, so that the quoted-items list refreshes.
    bool imported() const { return m_imported; }

private:
    void cmdChoose_Click();
    void cmdApply_Click();
    void showPreview();

    QTreeWidget* lvPreview = nullptr;
    QLabel* lblSummary = nullptr;
    QLabel* lblFile = nullptr;
    QPushButton* cmdApply = nullptr;
    PriceListImport::Preview m_preview;
    bool m_imported = false;
};
