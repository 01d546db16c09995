#include "app/brandtrim.h"

#include "app/trimblanks.h"
#include "db/recordset.h"
#include "db/tenderdatabase.h"

void trimBrandTexts(const QString& connectionString)
{
    // One transaction: a pass broken off half way would leave the list trimmed in part only.
    DbTransaction transaction(connectionString);
    Recordset rs(QStringLiteral("Select * From CT_Brands"), connectionString, CursorType::Keyset, LockType::Pessimistic);
    while (!rs.eof()) {
        for (const QString& column : {QStringLiteral("Generic"), QStringLiteral("Description")}) {
            const QVariant value = rs.field(column);
            if (value.isNull())
                continue;  // trimming Null leaves Null
            const QString trimmed = trimBlanks(value.toString());
            if (trimmed != value.toString())
                rs.setField(column, trimmed);
        }
        rs.update();
        rs.moveNext();
    }
    rs.close();
    transaction.commit();
}
