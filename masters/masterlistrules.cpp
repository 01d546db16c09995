#include "masters/masterlistrules.h"

#include "app/applicationstate.h"
#include "app/decimal.h"
#include "db/dberror.h"
#include "db/recordset.h"
#include "db/schema.h"
#include "db/sqltext.h"

namespace {

QString quoted(const QString& value)
{
    return QLatin1Char('\'') + escapeSqlText(value) + QLatin1Char('\'');
}

QString textOf(const QVariant& value)
{
    return value.isNull() ? QString() : value.toString();
}

bool isNumber(const QString& text)
{
    return Decimal::isNumeric(text) && isSqlNumber(text);
}

// "Column='text'" or "Column=number" for each field that makes an entry unique, joined by " And ".
QString uniqueCondition(const MasterListKind& kind, const QStringList& values)
{
    QStringList parts;
    for (size_t i = 0; i < kind.fields.size(); ++i) {
        const MasterField& f = kind.fields[i];
        if (!f.partOfUniqueKey)
            continue;
        const QString& v = values.at(static_cast<int>(i));
        parts << f.column + QLatin1Char('=') + (f.numberInSql ? v : quoted(v));
    }
    return parts.join(QStringLiteral(" And "));
}

MasterSaveResult refused(const QString& message, int focusField = -1)
{
    MasterSaveResult r;
    r.outcome = MasterSaveResult::Outcome::Refused;
    r.message = message;
    r.focusField = focusField;
    return r;
}

} // namespace

QString masterFilterSql(const MasterListKind& kind, const QStringList& values)
{
    const MasterWordFilter& filter = kind.filter;
    const QString words = wordConditions(filter.column, values.at(filter.field), filter.joiner);
    if (words.isEmpty())
        return {};
    QString condition = QStringLiteral("Where ") + words;
    if (filter.numberField >= 0) {
        const QString number = values.at(filter.numberField);
        if (isNumber(number))
            condition += QStringLiteral(" And (") + kind.fields[static_cast<size_t>(filter.numberField)].column +
                         QLatin1Char('=') + number + QLatin1Char(')');
    }
    return kind.selectWhere(condition);
}

QString brandManufacturerFilterSql(const QString& manufacturer)
{
    const QString words = wordConditions(QStringLiteral("Manufacturer"), manufacturer, QStringLiteral("Or"));
    if (words.isEmpty())
        return {};
    return masterListKind(MasterList::Brands).selectWhere(QStringLiteral("Where ") + words);
}

QString brandGenericFilterSql(const QString& generic)
{
    if (generic.isEmpty())
        return {};
    return masterListKind(MasterList::Brands).selectWhere(QStringLiteral("Where Generic=") + quoted(generic));
}

QString brandCombinedFilterSql(const QString& brand, const QString& manufacturer, const QString& generic)
{
    // The brand words must all match; the manufacturer words any one; the three parts all together.
    const QStringList parts{wordConditions(QStringLiteral("Description"), brand, QStringLiteral("And")),
                            wordConditions(QStringLiteral("Manufacturer"), manufacturer, QStringLiteral("Or")),
                            generic.trimmed().isEmpty() ? QString() : QStringLiteral("Generic=") + quoted(generic)};
    QString condition;
    for (const QString& part : parts) {
        if (part.isEmpty())
            continue;
        condition += (condition.isEmpty() ? QStringLiteral("Where (") : QStringLiteral(" And (")) + part + QLatin1Char(')');
    }
    if (condition.isEmpty())
        return {};
    return masterListKind(MasterList::Brands).selectWhere(condition);
}

MasterRows readMasterRows(const MasterListKind& kind, const QString& sql)
{
    MasterRows rows;
    rows.records = std::make_unique<Recordset>(sql, AppState::ConnectionString, CursorType::ForwardOnly,
                                               LockType::ReadOnly);
    const Recordset& rs = *rows.records;
    // Columns by position, looked up once: lists run to tens of thousands of rows.
    const auto indexOf = [&rs](const QString& name) {
        const int index = rs.fieldIndex(name);
        if (index >= 0)
            return index;
        throw DbError(DbErrorNumber::ItemNotFound, QStringLiteral("LoadMasterList"),
                      QStringLiteral("Item cannot be found in the collection corresponding to the requested name: %1.").arg(name));
    };
    rows.columns.push_back({indexOf(QStringLiteral("Code")), RecordListColumn::Show::Text});
    for (const QString& column : kind.listColumns)
        rows.columns.push_back({indexOf(column), RecordListColumn::Show::Text, Schema::isNumberColumn(kind.table, column)});
    rows.columns.push_back({indexOf(QStringLiteral("AddedByVendor")), RecordListColumn::Show::YesWhenTrue});
    rows.idField = indexOf(QStringLiteral("ID"));
    return rows;
}

std::vector<std::pair<QString, QVariant>> readDropDownItems(const QString& sql)
{
    Recordset rs(sql, AppState::ConnectionString, CursorType::ForwardOnly, LockType::ReadOnly);
    std::vector<std::pair<QString, QVariant>> items;
    while (!rs.eof()) {
        items.emplace_back(textOf(rs.field(QStringLiteral("Description"))), rs.field(QStringLiteral("ID")));
        rs.moveNext();
    }
    return items;
}

QString usedInQuotationSql(const MasterListKind& kind, const QString& description)
{
    return QStringLiteral("Select * From Quotations Where ") + kind.quotationColumn + QLatin1Char('=') +
           quoted(description);
}

bool usedInQuotation(const MasterListKind& kind, const QString& description)
{
    Recordset rs(usedInQuotationSql(kind, description), AppState::ConnectionString, CursorType::Static,
                 LockType::ReadOnly);
    return !rs.eof();
}

QString masterDescription(const MasterListKind& kind, const QStringList& values)
{
    if (kind.descriptionFormat.isEmpty())
        return values.at(kind.descriptionFieldIndex());
    // Both values go in at once, so a value holding "%2" stays as typed.
    return kind.descriptionFormat.arg(values.at(0), values.at(1));
}

MasterSaveResult saveMasterEntry(const MasterListKind& kind, QStringList& values, bool editing, const QString& key,
                                 const std::function<bool(const QString&)>& confirmAdd)
{
    for (size_t i = 0; i < kind.fields.size(); ++i) {
        const MasterField& f = kind.fields[i];
        QString& v = values[static_cast<int>(i)];
        if (f.trimOnSave)
            v = v.trimmed();
        const bool ok = f.check == MasterField::Check::Numeric ? isNumber(v) : !v.isEmpty();
        if (!ok)
            return refused(f.refusal, static_cast<int>(i));
    }

    const QString description = masterDescription(kind, values);
    const QString from = QStringLiteral("Select * From ") + kind.table + QStringLiteral(" Where ");
    Recordset rs;
    MasterSaveResult result;
    result.description = description;
    if (editing) {
        if (key.isEmpty())
            return refused(QStringLiteral("Cannot modify at this time. Try again."));
        // The key goes into the SQL bare: anything but a number cannot name a row.
        if (!isSqlNumber(key))
            return refused(kind.heldRowMissing.arg(key));
        rs.open(from + QStringLiteral("ID<>") + key + QStringLiteral(" And ") + uniqueCondition(kind, values),
                AppState::ConnectionString, CursorType::Keyset, LockType::Pessimistic);
        if (!rs.eof())
            return refused(kind.renameRefused.arg(description));
        rs.close();
        rs.open(from + QStringLiteral("ID=") + key, AppState::ConnectionString, CursorType::Keyset, LockType::Pessimistic);
        if (rs.eof())
            return refused(kind.heldRowMissing.arg(key));
    } else {
        if (!confirmAdd(kind.confirmAdd.arg(description))) {
            result.outcome = MasterSaveResult::Outcome::Declined;
            return result;
        }
        rs.open(from + uniqueCondition(kind, values), AppState::ConnectionString, CursorType::Keyset,
                LockType::Pessimistic);
        if (!rs.eof())
            return refused(kind.duplicateRefused.arg(description));
        Recordset maximum(QStringLiteral("Select Max(ID) From ") + kind.table, AppState::ConnectionString,
                          CursorType::Static, LockType::ReadOnly);
        const QVariant largest = maximum.field(0);
        maximum.close();
        // The code is the ID the row is about to get, so a vendor row's Code and ID stay equal.
        result.newCode = QString::number(largest.isNull() ? 1 : largest.toLongLong() + 1);
        rs.addNew();
        rs.setField(QStringLiteral("Code"), result.newCode);
        rs.setField(QStringLiteral("AddedByVendor"), true);
        result.added = true;
    }
    if (kind.descriptionFieldIndex() < 0)
        rs.setField(QStringLiteral("Description"), description);
    for (size_t i = 0; i < kind.fields.size(); ++i)
        rs.setField(kind.fields[i].column, values.at(static_cast<int>(i)));
    rs.update();
    if (result.added && kind.readBackId)
        result.newId = rs.field(QStringLiteral("ID"));
    rs.close();
    result.outcome = MasterSaveResult::Outcome::Saved;
    return result;
}
