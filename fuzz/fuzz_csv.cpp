// The hospital's CSV files: any bytes must end in records or in a CsvError/DbError that names a place
// and reads as one line, and whatever loads must read back.
#include "db/csvreader.h"
#include "db/dberror.h"
#include "db/schema.h"
#include "db/tenderbuilder.h"
#include "db/valueconversion.h"

#include <QStringDecoder>
#include <cstdlib>
#include <sqlite3.h>

namespace {

sqlite3* database()
{
    static sqlite3* db = [] {
        sqlite3* d = nullptr;
        sqlite3_open(":memory:", &d);
        for (const TableDef& t : Schema::tables())
            sqlite3_exec(d, Schema::createTableSql(t).toUtf8().constData(), nullptr, nullptr, nullptr);
        return d;
    }();
    return db;
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void readBack(sqlite3* db, const TableDef& table)
{
    sqlite3_stmt* stmt = nullptr;
    check(sqlite3_prepare_v2(db, ("SELECT * FROM \"" + table.name + "\"").toUtf8().constData(), -1, &stmt, nullptr) ==
          SQLITE_OK);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        for (int i = 0; i < sqlite3_column_count(stmt); ++i)
            ValueConversion::fromStatement(stmt, i, QString::fromUtf8(sqlite3_column_decltype(stmt, i)));
    sqlite3_finalize(stmt);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const std::vector<TableDef>& tables = Schema::tables();
    const TableDef& table = tables[data[0] % tables.size()];
    const QByteArray content(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));

    // The reader's own UTF-8 test and Qt's decoder agree on what is well formed.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(content);  // decoding happens on the conversion to text
    check((firstInvalidUtf8Byte(content) < 0) == !decoder.hasError());

    sqlite3* db = database();
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    try {
        TenderBuilder::loadTableCsv(db, table, QStringLiteral("in.csv"), content);
        readBack(db, table);
    } catch (const CsvError& e) {
        check(e.text().startsWith(QLatin1String("in.csv:")));
        for (const QChar c : e.text())
            check(c.category() != QChar::Other_Control);
        check(e.line() >= 1 && e.column() >= 1);
    } catch (const DbError& e) {
        check(!e.description().isEmpty());
    }
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return 0;
}
