#pragma once

#include "app/recordlistmodel.h"
#include "db/recordset.h"
#include "db/sqltext.h"
#include "masters/masterlistkind.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// The part of the reference-list editors that needs no window: the SQL of the filters, the list and
// drop-down reads, the used-in-quotation check and the save with its checks in order. Database
// failures come out as DbError; the screen shows them.

// The SQL of the word filter (cmdMaster(1)), from the current field values; empty when the filtered
// field is empty, which the screen refuses with the member's message.
QString masterFilterSql(const MasterListKind& kind, const QStringList& values);

// The brands' other filters; each gives an empty text when its field is empty.
QString brandManufacturerFilterSql(const QString& manufacturer);
QString brandGenericFilterSql(const QString& generic);
QString brandCombinedFilterSql(const QString& brand, const QString& manufacturer, const QString& generic);

// A list read for the screen: the code, the member's list columns and "Yes" for a vendor row, read
// from the kept recordset as the list shows them; the tag is the row's ID.
struct MasterRows {
    std::unique_ptr<Recordset> records;
    std::vector<RecordListColumn> columns;
    int idField = -1;
};
MasterRows readMasterRows(const MasterListKind& kind, const QString& sql);

// The items of a drop-down box: the description, and the row's ID when asked for.
std::vector<std::pair<QString, QVariant>> readDropDownItems(const QString& sql);

QString usedInQuotationSql(const MasterListKind& kind, const QString& description);
bool usedInQuotation(const MasterListKind& kind, const QString& description);

// The description a save writes: the name itself, or composed from the fields ("Strip of 10").
QString masterDescription(const MasterListKind& kind, const QStringList& values);

struct MasterSaveResult {
    enum class Outcome { Saved, Refused, Declined };
    Outcome outcome = Outcome::Refused;
    QString message;        // the refusal, for an Info box
    int focusField = -1;    // the field to give the focus to with the refusal, -1 for none
    bool added = false;
    QString newCode;
    QVariant newId;         // the new row's ID when the member reads it back
    QString description;
};

// Adds a row (editing false) or corrects the row `key` (editing true) from the field values. The
// values of the name fields are trimmed in place, so the screen can show what was checked.
// `confirmAdd` asks the add question and answers whether to go on.
MasterSaveResult saveMasterEntry(const MasterListKind& kind, QStringList& values, bool editing, const QString& key,
                                 const std::function<bool(const QString&)>& confirmAdd);
