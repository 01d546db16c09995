#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class Step2Link;
class QTreeWidget;
class QTreeWidgetItem;

// The pick-list dialog: one reference list (PickListKind: 1 drug packings, 2 drug forms, 3 drug
// strengths, 4 generics) narrowed by words; the chosen row goes back to the opener through
// PickedItemID and PickedItemText. The opener hands in its current value, whose row is pre-selected,
// and Step 2 itself, whose matching list is refilled after the master list editor added entries.
class frmFind : public QDialog
{
    Q_OBJECT
public:
    // Where each list row keeps its key ("K1", ...) and its tag (the row's ID).
    static constexpr int KeyRole = Qt::UserRole;
    static constexpr int TagRole = Qt::UserRole + 1;

    frmFind(QWidget* opener, const QString& currentValue, Step2Link* step2 = nullptr);

private:
    void Form_Load();
    void FillList(const QString& sql);
    void selectRow(QTreeWidgetItem* row);
    void cmdMaster_Click(int index);
    void SelectAndClose();
    void Filter();
    void ShowAll();
    void AddEdit();

    int m_kind = 0;
    QString m_currentValue;  // the opener's text at load: its row is pre-selected
    Step2Link* m_step2 = nullptr;

    QLineEdit* txtFind;
    QTreeWidget* lvData;
    QPushButton* cmdMaster[5];
};
