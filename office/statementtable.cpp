#include "office/statementtable.h"

#include <QBrush>
#include <QColor>

namespace {

// Integer part and fraction of an unsigned decimal text.
int compareMagnitudes(QStringView a, QStringView b)
{
    const qsizetype pa = a.indexOf(QLatin1Char('.'));
    const qsizetype pb = b.indexOf(QLatin1Char('.'));
    QStringView ia = pa < 0 ? a : a.left(pa), ib = pb < 0 ? b : b.left(pb);
    while (ia.size() > 1 && ia.front() == QLatin1Char('0'))
        ia = ia.mid(1);
    while (ib.size() > 1 && ib.front() == QLatin1Char('0'))
        ib = ib.mid(1);
    if (ia.size() != ib.size())
        return ia.size() < ib.size() ? -1 : 1;
    if (const int c = ia.compare(ib); c != 0)
        return c;
    const QStringView fa = pa < 0 ? QStringView() : a.mid(pa + 1), fb = pb < 0 ? QStringView() : b.mid(pb + 1);
    for (qsizetype i = 0; i < std::max(fa.size(), fb.size()); ++i) {
        const QChar ca = i < fa.size() ? fa[i] : QLatin1Char('0');
        const QChar cb = i < fb.size() ? fb[i] : QLatin1Char('0');
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return 0;
}

} // namespace

int compareDecimalTexts(QStringView a, QStringView b)
{
    const bool na = a.startsWith(QLatin1Char('-')), nb = b.startsWith(QLatin1Char('-'));
    if (na != nb)
        return na ? -1 : 1;
    const int c = compareMagnitudes(na ? a.mid(1) : a, nb ? b.mid(1) : b);
    return na ? -c : c;
}

StatementTable::StatementTable(QStringList header, std::vector<bool> numeric, QObject* parent)
    : QAbstractTableModel(parent), m_header(std::move(header)), m_numeric(std::move(numeric))
{
    m_numeric.resize(static_cast<size_t>(m_header.size()), false);
}

void StatementTable::setRows(std::vector<QStringList> rows, std::vector<bool> highlighted)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_highlighted = std::move(highlighted);
    m_highlighted.resize(m_rows.size(), false);
    endResetModel();
}

int StatementTable::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int StatementTable::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_header.size());
}

QVariant StatementTable::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const size_t row = static_cast<size_t>(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return index.column() < m_rows[row].size() ? m_rows[row][index.column()] : QString();
    case Qt::TextAlignmentRole:
        return isNumeric(index.column()) ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case Qt::BackgroundRole:
        return m_highlighted[row] ? QVariant(QBrush(QColor(0xc6, 0xef, 0xce))) : QVariant();
    case Qt::ForegroundRole:
        return m_highlighted[row] ? QVariant(QBrush(Qt::black)) : QVariant();
    default:
        return {};
    }
}

QVariant StatementTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_header.size())
        return m_header[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

StatementFilter::StatementFilter(StatementTable* table, int filterColumn, QObject* parent)
    : QSortFilterProxyModel(parent), m_table(table), m_filterColumn(filterColumn)
{
    setSourceModel(table);
    m_collator.setNumericMode(true);
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

void StatementFilter::setWords(const QString& words)
{
    m_words = words.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    invalidateFilter();
}

bool StatementFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    if (m_words.isEmpty() || m_filterColumn < 0)
        return true;
    const QString& text = m_table->text(sourceRow, m_filterColumn);
    for (const QString& w : m_words)
        if (!text.contains(w, Qt::CaseInsensitive))
            return false;
    return true;
}

bool StatementFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const int column = left.column();
    const QString& a = m_table->text(left.row(), column);
    const QString& b = m_table->text(right.row(), column);
    // Blanks (a line nobody offered) stay at the end whichever way the column is sorted.
    if (a.isEmpty() != b.isEmpty())
        return (sortOrder() == Qt::AscendingOrder) == b.isEmpty();
    if (m_table->isNumeric(column)) {
        if (const int c = compareDecimalTexts(a, b); c != 0)
            return c < 0;
    } else if (const int c = m_collator.compare(a, b); c != 0) {
        return c < 0;
    }
    return left.row() < right.row();
}
