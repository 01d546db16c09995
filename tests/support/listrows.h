#pragma once

// Rows of a list view as a test reads and clicks them, whether the list keeps items of its own or
// shows a model: row counts, texts, the key and tag roles, the selection, and real mouse clicks.
#include <QAbstractItemView>
#include <QModelIndex>
#include <QString>
#include <QVariant>

class ListRow
{
public:
    ListRow() = default;
    ListRow(QAbstractItemView* view, int row) : m_view(view), m_row(row) {}

    explicit operator bool() const { return m_view && m_row >= 0; }
    int row() const { return m_row; }
    QModelIndex index(int column = 0) const;
    QString text(int column) const { return data(column, Qt::DisplayRole).toString(); }
    QVariant data(int column, int role) const { return index(column).data(role); }
    bool isSelected() const;

private:
    QAbstractItemView* m_view = nullptr;
    int m_row = -1;
};

int rowCount(QAbstractItemView* view);
ListRow rowAt(QAbstractItemView* view, int row);
// The first row whose `column` reads `text`; false when there is none.
ListRow findRow(QAbstractItemView* view, int column, const QString& text);
ListRow currentRow(QAbstractItemView* view);
// Clicks the row with the mouse (twice for a double click), scrolled into view first.
void clickRow(QAbstractItemView* view, const ListRow& row, bool twice = false);
