#include "quotation/taxcodelists.h"

#include "app/applicationstate.h"
#include "app/busycursor.h"
#include "db/recordset.h"

#include <QComboBox>

void fillTaxCodeLists(QComboBox* codes, QComboBox* percentages, const QString& sql)
{
    BusyCursor busy;
    Recordset rs(sql, AppState::ConnectionString, CursorType::ForwardOnly, LockType::ReadOnly);
    codes->addItem(QString());
    percentages->addItem(QString());
    while (!rs.eof()) {
        codes->addItem(rs.field(QStringLiteral("Description")).toString());
        percentages->addItem(rs.field(QStringLiteral("Tax")).toString());
        rs.moveNext();
    }
    rs.close();
}
