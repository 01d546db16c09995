#pragma once

#include <QString>

// The SQL texts of Step 1's searches. Every text value goes between quotes through escapeSqlText.
namespace WordFilter {

// "Where Description like '%w1%' And Description like '%w2%'": one condition per word of the trimmed
// text, split at single blanks (empty pieces from repeated blanks add nothing), in the order typed.
// Empty when the text holds no word.
QString clause(const QString& text);

QString genericsSql(const QString& clause);  // "Select * From CT_Generics <clause> Order By Description"
QString brandsSql(const QString& clause);    // "Select * From CT_Brands <clause> Order By Description"
// The brands of one generic, matched on the whole name (no wildcards).
QString brandsOfGenericSql(const QString& generic);
// The one brand of an edited row: brand and generic matched exactly.
QString brandOfGenericSql(const QString& brand, const QString& generic);
// Rows of Quotations that already quote the brand.
QString quotedBrandSql(const QString& brand);

} // namespace WordFilter
