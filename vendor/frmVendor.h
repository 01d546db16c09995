#pragma once

#include "vendor/vendorrecord.h"

#include <QDialog>
#include <array>

class QAction;
class QLabel;
class QPushButton;
class QToolBar;
class QWidget;

// The vendor details form: the company's one CT_Vendor row, loaded on opening and written by
// "Save & Close". Modal; it can be left only through its own buttons and menus.
class frmVendor : public QDialog
{
    Q_OBJECT
public:
    explicit frmVendor(QWidget* parent = nullptr);

    // The field texts as they stand, indexed as VendorRecord::fields().
    VendorRecord::Texts texts() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void Form_Load();
    void cmdMaster_Click(int index);
    void mnuBack_Click();
    void mnuSave_Click();
    void setText(int field, const QString& text);
    QWidget* textBox(int field) const { return m_textBoxes[static_cast<size_t>(field)]; }

    std::array<QWidget*, VendorRecord::FieldCount> m_textBoxes{};
    std::array<QLabel*, VendorRecord::FieldCount> m_labels{};
};
