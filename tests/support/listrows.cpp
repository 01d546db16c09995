#include "tests/support/listrows.h"

#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QTest>

QModelIndex ListRow::index(int column) const
{
    return *this ? m_view->model()->index(m_row, column) : QModelIndex();
}

bool ListRow::isSelected() const
{
    return *this && m_view->selectionModel()->isRowSelected(m_row, QModelIndex());
}

int rowCount(QAbstractItemView* view)
{
    return view->model()->rowCount();
}

ListRow rowAt(QAbstractItemView* view, int row)
{
    return row >= 0 && row < rowCount(view) ? ListRow(view, row) : ListRow();
}

ListRow findRow(QAbstractItemView* view, int column, const QString& text)
{
    for (int row = 0; row < rowCount(view); ++row)
        if (view->model()->index(row, column).data().toString() == text)
            return ListRow(view, row);
    return {};
}

ListRow currentRow(QAbstractItemView* view)
{
    const QModelIndex current = view->currentIndex();
    return current.isValid() ? ListRow(view, current.row()) : ListRow();
}

void clickRow(QAbstractItemView* view, const ListRow& row, bool twice)
{
    view->doItemsLayout();
    view->scrollTo(row.index());
    QCoreApplication::processEvents();
    const QPoint at(10, view->visualRect(row.index()).center().y());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}
