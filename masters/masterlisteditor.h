#pragma once

#include "app/recordlistmodel.h"
#include "masters/masterlistkind.h"

#include <QDialog>
#include <QStringList>

class EditModeBlink;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class RecordListView;

// The Master List Editor: one reference list, browsed, filtered by words, extended with the vendor's
// own entries and corrected while no quoted item uses them. Every reference list is this screen with
// its own MasterListKind; the brands screen adds its extra filters on top (frmBrands).
class MasterListEditor : public QDialog
{
    Q_OBJECT
public:
    // The list entry's key ("K1", ...) and tag (the row's ID) live in these roles of column 0.
    static constexpr int KeyRole = RecordListModel::KeyRole;
    static constexpr int TagRole = RecordListModel::TagRole;

    explicit MasterListEditor(MasterList list, QWidget* parent = nullptr);

    const MasterListKind& kind() const { return m_kind; }

    // Fills the list from `sql`; false when the read failed (the error box was shown, the list kept).
    bool LoadMasterList(const QString& sql);
    void SaveMasterEntry();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    QStringList fieldValues() const;
    void setFieldValue(int field, const QString& value);
    QWidget* fieldControl(int field) const { return m_fieldControls.at(field); }
    QComboBox* dropDown() const;  // the field that is a drop-down box, if any
    QPushButton* addButton(int index, const QString& caption, const QString& tooltip);
    QHBoxLayout* fieldRow(int field) const { return m_fieldRows.at(field); }

    // A filter's outcome: the refusal when `sql` is empty, else edit mode ends and the list reloads.
    void runFilter(const QString& sql, const QString& refusal);
    void leaveEditMode();

private:
    void buildScreen();
    void Form_Load();
    void showAll();
    void enterEditMode();
    void fillFieldsFrom(int row);
    void selectOnly(int row);

    const MasterListKind& m_kind;
    RecordListView* m_list = nullptr;
    QGridLayout* m_fieldGrid = nullptr;
    QHBoxLayout* m_buttonRow = nullptr;
    QList<QWidget*> m_fieldControls;
    QList<QHBoxLayout*> m_fieldRows;
    EditModeBlink* m_blink = nullptr;
};

// A fresh editor of the list: the brands screen for brands, the plain editor otherwise.
MasterListEditor* createMasterEditor(MasterList list, QWidget* parent);
