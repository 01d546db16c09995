// Step 1's word search: whatever the vendor types or pastes, the SQL built from it is one statement
// that the engine accepts, with one like condition per word that holds the word as typed.
#include "quotation/wordfilter.h"

#include <QStringList>
#include <cstdlib>
#include <sqlite3.h>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

sqlite3* database()
{
    static sqlite3* db = [] {
        sqlite3* d = nullptr;
        sqlite3_open(":memory:", &d);
        sqlite3_exec(d, "CREATE TABLE CT_Generics (ID INTEGER PRIMARY KEY, Description TEXT);"
                        "CREATE TABLE CT_Brands (ID INTEGER PRIMARY KEY, Description TEXT, Generic TEXT);"
                        "CREATE TABLE Quotations (ID INTEGER PRIMARY KEY, Brand TEXT);"
                        "INSERT INTO CT_Generics (Description) VALUES ('Paracetamol'), ('Ringer''s Lactate');",
                     nullptr, nullptr, nullptr);
        return d;
    }();
    return db;
}

// The statement must compile whole, with nothing after it, and run.
void checkStatement(const QString& sql)
{
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(database(), utf8.constData(), static_cast<int>(utf8.size()), &stmt, &tail);
    check(rc == SQLITE_OK && stmt);
    check(tail == utf8.constData() + utf8.size());
    while (sqlite3_step(stmt) == SQLITE_ROW) {
    }
    sqlite3_finalize(stmt);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 4096)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString clause = WordFilter::clause(text);
    if (clause.isEmpty()) {
        for (const QString& piece : text.split(QLatin1Char(' ')))
            check(piece.trimmed().isEmpty());
    } else {
        check(clause.startsWith(QLatin1String("Where Description like '%")));
        // Each condition's literal, read back the way the engine reads it, holds a word of the text.
        const QString conditions = clause.mid(6);
        qsizetype words = 0;
        qsizetype i = 0;
        while (i < conditions.size()) {
            const QString head = QStringLiteral("Description like '");
            check(conditions.mid(i, head.size()) == head);
            i += head.size();
            QString literal;
            for (;;) {
                check(i < conditions.size());
                if (conditions[i] == QLatin1Char('\'')) {
                    if (i + 1 < conditions.size() && conditions[i + 1] == QLatin1Char('\'')) {
                        literal += QLatin1Char('\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                literal += conditions[i++];
            }
            check(literal.size() >= 2 && literal.startsWith(QLatin1Char('%')) && literal.endsWith(QLatin1Char('%')));
            check(QString(text).remove(QChar(0)).contains(literal.mid(1, literal.size() - 2)));
            ++words;
            if (i < conditions.size()) {
                check(conditions.mid(i, 5) == QLatin1String(" And "));
                i += 5;
            }
        }
        check(words >= 1);
    }
    checkStatement(WordFilter::genericsSql(clause));
    checkStatement(WordFilter::brandsSql(clause));
    checkStatement(WordFilter::brandsOfGenericSql(text));
    checkStatement(WordFilter::brandOfGenericSql(text, text));
    checkStatement(WordFilter::quotedBrandSql(text));
    return 0;
}
