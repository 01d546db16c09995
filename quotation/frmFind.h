#pragma once

#include <QDialog>
#include <QVariant>

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The pick-list dialog: one reference list (PickListKind: 1 drug packings, 2 drug forms, 3 drug
// strengths, 4 generics) narrowed by words; the chosen row goes back to the opener through
// PickedItemID and PickedItemText.
class frmFind : public QDialog
{
    Q_OBJECT
public:
    // Where each list row keeps its key ("K1", ...) and its tag (the row's ID).
    static constexpr int KeyRole = Qt::UserRole;
    static constexpr int TagRole = Qt::UserRole + 1;

    explicit frmFind(QWidget* opener = nullptr);

private:
    void Form_Load();
    QVariant openerValue() const;
    void FillList(const QString& sql);
    void selectRow(QTreeWidgetItem* row);
    void cmdMaster_Click(int index);
    void SelectAndClose();
    void Filter();
    void ShowAll();
    void AddEdit();

    int m_kind = 0;
    QWidget* m_opener = nullptr;
    QVariant m_currentValue;  // the opener's text at load: its row is pre-selected

    QLineEdit* txtFind;
    QTreeWidget* lvData;
    QPushButton* cmdMaster[5];
};
