#include "app/recordlistmodel.h"

#include "db/dberror.h"
#include "db/recordset.h"

RecordListModel::RecordListModel(const QStringList& headers, const QString& keyPrefix, const QString& keySuffix,
                                 QObject* parent)
    : QAbstractTableModel(parent), m_headers(headers), m_keyPrefix(keyPrefix), m_keySuffix(keySuffix)
{
}

RecordListModel::~RecordListModel() = default;

void RecordListModel::setRecords(std::unique_ptr<Recordset> records, std::vector<RecordListColumn> columns,
                                 int tagField)
{
    beginResetModel();
    m_records = std::move(records);
    m_storedRows = m_records ? m_records->recordCount() : 0;
    m_columns = std::move(columns);
    m_columns.resize(static_cast<size_t>(m_headers.size()));
    m_tagField = tagField;
    m_changed.clear();
    m_added.clear();
    m_readFailureReported = false;
    endResetModel();
}

void RecordListModel::clear()
{
    setRecords(nullptr, {}, -1);
}

int RecordListModel::appendRow(const QStringList& texts, const QVariant& tag)
{
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    OwnRow own{texts, tag};
    own.texts.resize(m_headers.size());
    m_added.push_back(std::move(own));
    endInsertRows();
    return row;
}

void RecordListModel::setText(int row, int column, const QString& text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    if (row >= storedRows()) {
        m_added[static_cast<size_t>(row - storedRows())].texts[column] = text;
    } else {
        auto changed = m_changed.find(row);
        if (changed == m_changed.end())
            changed = m_changed.insert(row, rowTexts(row));
        (*changed)[column] = text;
    }
    emit dataChanged(index(row, column), index(row, column));
}

QString RecordListModel::storedText(int row, int column) const
{
    const RecordListColumn& c = m_columns[static_cast<size_t>(column)];
    if (c.field < 0)
        return {};
    try {
        const QVariant value = m_records->valueAt(row, c.field);
        if (c.show == RecordListColumn::Show::YesWhenTrue)
            return !value.isNull() && value.toBool() ? QStringLiteral("Yes") : QString();
        return value.isNull() ? QString() : value.toString();
    } catch (const DbError& e) {
        reportReadFailure(e);
        return {};
    }
}

void RecordListModel::reportReadFailure(const DbError& error) const
{
    if (m_readFailureReported)
        return;
    m_readFailureReported = true;
    if (m_readFailed)
        m_readFailed(error);
}

QStringList RecordListModel::rowTexts(int row) const
{
    QStringList texts;
    for (int c = 0; c < columnCount(); ++c)
        texts << text(row, c);
    return texts;
}

QString RecordListModel::text(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    if (row >= storedRows())
        return m_added[static_cast<size_t>(row - storedRows())].texts.at(column);
    const auto changed = m_changed.constFind(row);
    if (changed != m_changed.constEnd())
        return changed->at(column);
    return storedText(row, column);
}

QString RecordListModel::key(int row) const
{
    return m_keyPrefix + QString::number(row + 1) + m_keySuffix;
}

QVariant RecordListModel::tag(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    if (row >= storedRows())
        return m_added[static_cast<size_t>(row - storedRows())].tag;
    if (m_tagField < 0)
        return {};
    try {
        return m_records->valueAt(row, m_tagField);
    } catch (const DbError& e) {
        reportReadFailure(e);
        return {};
    }
}

int RecordListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : storedRows() + static_cast<int>(m_added.size());
}

int RecordListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case KeyRole:
        return index.column() == 0 ? QVariant(key(index.row())) : QVariant();
    case TagRole:
        return index.column() == 0 ? tag(index.row()) : QVariant();
    case Qt::TextAlignmentRole:
        return alignment(index.column());
    default:
        return {};
    }
}

QVariant RecordListModel::alignment(int column) const
{
    const bool number = column >= 0 && static_cast<size_t>(column) < m_columns.size() && m_columns[static_cast<size_t>(column)].number;
    return QVariant::fromValue(Qt::Alignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_headers.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_headers.at(section);
    if (role == Qt::TextAlignmentRole)
        return alignment(section);
    return {};
}
