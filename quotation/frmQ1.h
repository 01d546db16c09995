#pragma once

#include "app/recordlistmodel.h"

#include <QMap>
#include <QStringList>
#include <QWidget>
#include <optional>

class QLineEdit;
class QPushButton;
class RecordListView;

// The brand row chosen in Step 1's brand list, as Steps 2 and 3 take it over.
struct ChosenBrand {
    QString brand;
    QString manufacturer;  // the quoted one when a stored row is edited
    QString generic;
    bool addedByVendor = false;
    QString drugForm;
    QString drugStrength;
};

// Step 1 of the Quotation Wizard: find a generic or a brand and choose the brand to quote. It stays
// loaded (hidden) while Steps 2 and 3 run, which read the chosen brand row from it.
class frmQ1 : public QWidget
{
    Q_OBJECT
public:
    // Roles of a list row: its key ("1K", "2K", ...) and its tag (the table's ID).
    static constexpr int KeyRole = RecordListModel::KeyRole;
    static constexpr int TagRole = RecordListModel::TagRole;

    explicit frmQ1(QWidget* parent = nullptr);

    // Runs once after the screen is created: in edit mode it fills all three steps from the stored row.
    void Form_Load();

    // The selected lvBrands row; nothing when no brand row is selected.
    std::optional<ChosenBrand> chosenBrand() const;

    // Unloads Steps 3, 2 and 1 in this order; the screen that started the wizard is shown again only
    // when `showStarter` is set (a save navigates on its own).
    static void unloadWizard(bool showStarter);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildUi();
    void FilterGenerics();
    void FilterBrands();
    void ListGenerics(const QString& sql);
    void ListBrands(const QString& sql);
    bool IsBrandQuoted(const QString& brand);
    void LoadQuotationForEdit();
    void lvGenerics_ItemClick(int row);
    void lvBrands_ItemClick(int row);
    void cmdShowAllGenerics();
    void cmdShowAllBrands();
    void cmdNext();
    void cmdClear();
    void cmdClose();
    void clearDisplay();

    QLineEdit* txtGeneric = nullptr;
    QLineEdit* txtBrand = nullptr;
    RecordListView* lvGenerics = nullptr;
    RecordListView* lvBrands = nullptr;
    QList<QLineEdit*> m_display;  // txtItem ... txtTentativeCons
    QMap<int, QPushButton*> cmdMaster;
    bool m_showStarterOnClose = true;
};
