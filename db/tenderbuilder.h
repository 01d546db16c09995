#pragma once

#include <QByteArray>
#include <QString>

struct sqlite3;
struct TableDef;

// Builds a tender database file, as the hospital does before handing it to the vendors.
// The file is written beside the target under a temporary name and moved into place only when
// complete, so a failed build never leaves a half-built database at the target path.
namespace TenderBuilder {

// From a folder of CSV files, one per table, named <Table>.csv, whose header row names the columns.
// Throws CsvError (naming file, line and column) or DbError.
void buildFromCsvFolder(const QString& folder, const QString& outputPath);

// Loads one table's CSV text (header row first) into an open database with the tender's tables;
// messages name the file as `label`. Throws CsvError or DbError.
void loadTableCsv(sqlite3* db, const TableDef& table, const QString& label, const QByteArray& content);

// An empty database with every table (for tests and for a hospital starting from nothing).
void buildEmpty(const QString& outputPath);

struct SyntheticSize {
    int generics = 5000;
    int brands = 50000;
    int quotations = 5000;
    // Lines of the yearly requirement, drawn from the quoted items' generic, strength and form so that
    // a comparison of such files has offers to rank.
    int qtyLines = 0;
};
// A large made-up tender for measuring speed.
void buildSynthetic(const QString& outputPath, const SyntheticSize& size);

} // namespace TenderBuilder
