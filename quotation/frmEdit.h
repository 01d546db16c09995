#pragma once

#include <QMainWindow>
#include <QtGlobal>

class QTreeWidget;
class QTreeWidgetItem;

// The list of quoted items: every Quotations row, from which a row is re-opened in the wizard,
// deleted, printed or exported.
class frmEdit : public QMainWindow
{
    Q_OBJECT
public:
    // Data roles of column 0: the line's key ("1K") and its tag (the row's ID).
    static constexpr int KeyRole = Qt::UserRole;
    static constexpr int TagRole = Qt::UserRole + 1;

    explicit frmEdit(QWidget* parent = nullptr);

    // After the wizard stored an edited row: that row's line shows the stored values, keeping its
    // serial number and its place in the list.
    void RefreshQuotation(qint64 quotationId);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void FillList(const QString& sql);
    void DeleteQuotation();
    void ImportPriceList();
    void cmdMaster_Click(int index);
    void EditSelected();
    void DeleteSelected();
    void SortByColumn(int column);
    // The selected line's tag when it can be used as a row ID, else the refusal is shown.
    bool SelectedTag(const QString& emptyListMessage, QString& tag);

    QTreeWidget* lvItems = nullptr;
    bool m_columnsFitted = false;
    Qt::SortOrder m_sortOrder = Qt::DescendingOrder;  // the first header click sorts ascending
};
