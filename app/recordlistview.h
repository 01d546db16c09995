#pragma once

#include "app/recordlistmodel.h"

#include <QTreeView>

// A flat list view of a RecordListModel with one row selected at a time, spoken to in rows: the
// screens ask for a row's texts, key and tag, and hear of clicks and moves by row number.
class RecordListView : public QTreeView
{
    Q_OBJECT
public:
    RecordListView(const QString& objectName, const QStringList& headers, const QString& keyPrefix,
                   const QString& keySuffix, QWidget* parent);

    RecordListModel* rows() const { return m_rows; }
    int rowCount() const { return m_rows->rowCount(); }
    QString text(int row, int column) const { return m_rows->text(row, column); }
    // The selected row, or -1.
    int selectedRow() const;
    // The current (focus) row, or -1.
    int currentRow() const;
    // Makes `row` the only selected row and the current one, and scrolls it into view.
    void selectRow(int row);
    // The first row whose `column` reads `text`, or -1.
    int findRow(int column, const QString& text) const;
    // On the first fill that brings rows, the other columns take the width of their contents and
    // header, and `column` (the description) the rest of the view, or its contents' width where the
    // columns overflow the view.
    void setStretchColumn(int column);

signals:
    void rowClicked(int row);
    void rowDoubleClicked(int row);
    void currentRowChanged(int row);

private:
    void fitColumns();

    RecordListModel* m_rows;
    int m_stretchColumn = -1;
    bool m_fitted = false;
};
