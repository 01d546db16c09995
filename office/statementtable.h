#pragma once

#include <QAbstractTableModel>
#include <QCollator>
#include <QSortFilterProxyModel>
#include <QStringList>
#include <vector>

// Rows of texts for a list of the statement window: tens of thousands of statement rows are kept as
// the texts they show, with no item object per cell. Columns marked numeric align right and sort by
// value.
class StatementTable : public QAbstractTableModel
{
    Q_OBJECT
public:
    StatementTable(QStringList header, std::vector<bool> numeric, QObject* parent);
    void setRows(std::vector<QStringList> rows, std::vector<bool> highlighted = {});
    const QString& text(int row, int column) const { return m_rows[static_cast<size_t>(row)][column]; }
    bool isNumeric(int column) const { return m_numeric[static_cast<size_t>(column)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_header;
    std::vector<bool> m_numeric;
    std::vector<QStringList> m_rows;
    std::vector<bool> m_highlighted;
};

// Sorts a StatementTable by the clicked column (numbers by value, blanks last) and, when given words,
// keeps the rows whose filter column holds every one of them, in any case.
class StatementFilter : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    StatementFilter(StatementTable* table, int filterColumn, QObject* parent);
    void setWords(const QString& words);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    StatementTable* m_table;
    int m_filterColumn;
    QStringList m_words;
    QCollator m_collator;  // "L2" before "L10", any case
};

// Compares two plain decimal texts ("12.5", "-3", "0.0400") by value: <0, 0 or >0.
int compareDecimalTexts(QStringView a, QStringView b);
