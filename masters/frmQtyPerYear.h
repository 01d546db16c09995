#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QTreeWidget;

// The hospital's quantities required per year, read only: the full list, a filter by generic words,
// strength words, drug form and drug packing, and the hospital's ready PDF of the same list.
class frmQtyPerYear : public QDialog
{
    Q_OBJECT
public:
    explicit frmQtyPerYear(QWidget* parent = nullptr);

    // Data roles of a list entry: its key ("K1", ...) and its tag (the row's ID).
    static constexpr int KeyRole = Qt::UserRole;
    static constexpr int TagRole = Qt::UserRole + 1;

    void LoadQtyList(const QString& sql);
    void Filter();
    void ShowAll();

public slots:
    void done(int result) override;

private:
    void Form_Load();
    void FillStrengthCombo();
    void FillDrugFormCombo();
    void FillDrugPackingCombo();
    void fillCombo(QComboBox* combo, const QString& sql);

    QLineEdit* txtGeneric = nullptr;
    QLineEdit* txtStrength = nullptr;
    QComboBox* cboStrength = nullptr;
    QComboBox* cboDrugForms = nullptr;
    QComboBox* cboDrugPacking = nullptr;
    QTreeWidget* lvQtyPerYears = nullptr;
    int ItemCounter = 1;  // wider than 16 bits, so a long list cannot overflow it
};
