#include "app/recordlistview.h"

#include "app/messagebox.h"
#include "db/dberror.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTimer>

RecordListView::RecordListView(const QString& objectName, const QStringList& headers, const QString& keyPrefix,
                               const QString& keySuffix, QWidget* parent)
    : QTreeView(parent), m_rows(new RecordListModel(headers, keyPrefix, keySuffix, this))
{
    setObjectName(objectName);
    setModel(m_rows);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    // Every row is one line high: the view then lays out only what it shows, however long the list.
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    header()->setStretchLastSection(false);
    // The failure surfaces while the view paints, where no dialog may open: it is shown just after.
    m_rows->setReadFailureHandler([this](const DbError& error) {
        QTimer::singleShot(0, this, [this, error] { ShowDbError(error, window()); });
    });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) { emit rowClicked(index.row()); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { emit rowDoubleClicked(index.row()); });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { emit currentRowChanged(current.isValid() ? current.row() : -1); });
}

void RecordListView::setStretchColumn(int column)
{
    m_stretchColumn = column;
    connect(m_rows, &QAbstractItemModel::modelReset, this, &RecordListView::fitColumns);
    connect(m_rows, &QAbstractItemModel::rowsInserted, this, &RecordListView::fitColumns);
}

void RecordListView::fitColumns()
{
    if (m_fitted || m_rows->rowCount() == 0)
        return;
    m_fitted = true;
    int total = 0;
    for (int c = 0; c < m_rows->columnCount(); ++c) {
        // The contents of the rows laid out so far and the header text, whichever is wider.
        setColumnWidth(c, qMax(sizeHintForColumn(c), header()->sectionSizeHint(c)));
        total += columnWidth(c);
    }
    // Where the columns overflow a list on screen (Step 1's brands), the description keeps the width
    // of its contents rather than shrinking to its header; the list scrolls sideways.
    if (m_stretchColumn >= 0 && (!isVisible() || total <= viewport()->width())) {
        header()->setMinimumSectionSize(qMin(header()->minimumSectionSize(), header()->sectionSizeHint(m_stretchColumn)));
        header()->setSectionResizeMode(m_stretchColumn, QHeaderView::Stretch);
    }
}

int RecordListView::selectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

int RecordListView::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void RecordListView::selectRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    const QModelIndex at = m_rows->index(row, 0);
    selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(at);
}

int RecordListView::findRow(int column, const QString& text) const
{
    for (int row = 0; row < rowCount(); ++row)
        if (m_rows->text(row, column) == text)
            return row;
    return -1;
}
