#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class DbError;
class Recordset;

// How one list column reads its text from a stored row.
struct RecordListColumn {
    enum class Show { Text, YesWhenTrue };
    int field = -1;  // the recordset's field index; -1 shows nothing
    Show show = Show::Text;
    bool number = false;  // a quantity, shown right-aligned
};

// The rows of a list view, read straight from a recordset the model keeps: a row's texts are made
// only when the view paints or a caller asks for them, so a list of fifty thousand brands costs the
// read and not fifty thousand rows of strings. Rows the screen adds or changes afterwards keep their
// own texts. Each row has a key ("K1" or "1K", counting from 1 in list order) and a tag (its ID).
class RecordListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int KeyRole = Qt::UserRole;
    static constexpr int TagRole = Qt::UserRole + 1;

    RecordListModel(const QStringList& headers, const QString& keyPrefix, const QString& keySuffix,
                    QObject* parent = nullptr);
    ~RecordListModel() override;

    // Shows the rows of `records` (kept from now on) through `columns`, one per list column; the tag
    // is read from field `tagField` (-1 for none).
    void setRecords(std::unique_ptr<Recordset> records, std::vector<RecordListColumn> columns, int tagField);
    void clear();
    // Adds a row at the end with its own texts; returns its index.
    int appendRow(const QStringList& texts, const QVariant& tag);
    void setText(int row, int column, const QString& text);

    // Told of the first value of the kept rows that cannot be read, once per fill, so the failure is
    // reported rather than painted as empty cells; the cell then shows nothing.
    void setReadFailureHandler(std::function<void(const DbError&)> handler) { m_readFailed = std::move(handler); }

    QString text(int row, int column) const;
    QString key(int row) const;
    QVariant tag(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    struct OwnRow {
        QStringList texts;
        QVariant tag;
    };
    int storedRows() const { return static_cast<int>(m_storedRows); }
    QString storedText(int row, int column) const;
    QStringList rowTexts(int row) const;
    void reportReadFailure(const DbError& error) const;
    QVariant alignment(int column) const;

    QStringList m_headers;
    QString m_keyPrefix;
    QString m_keySuffix;
    std::unique_ptr<Recordset> m_records;
    long m_storedRows = 0;
    std::vector<RecordListColumn> m_columns;
    int m_tagField = -1;
    QHash<int, QStringList> m_changed;  // stored rows whose texts the screen has changed
    std::vector<OwnRow> m_added;        // rows added after the read
    std::function<void(const DbError&)> m_readFailed;
    mutable bool m_readFailureReported = false;
};
