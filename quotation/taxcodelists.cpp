#include "quotation/taxcodelists.h"

#include "app/applicationstate.h"
#include "app/busycursor.h"
#include "db/recordset.h"

#include <QComboBox>

namespace {

QString text(const Recordset& rs, const QString& column)
{
    const QVariant v = rs.field(column);
    return v.isNull() ? QString() : v.toString();
}

} // namespace

void fillParallelLists(QComboBox* list, QComboBox* partner, const QString& partnerColumn, const QString& sql)
{
    BusyCursor busy;
    Recordset rs(sql, AppState::ConnectionString, CursorType::ForwardOnly, LockType::ReadOnly);
    if (partner)
        partner->addItem(QString());
    list->addItem(QString());
    for (; !rs.eof(); rs.moveNext()) {
        if (partner)
            partner->addItem(text(rs, partnerColumn));
        list->addItem(text(rs, QStringLiteral("Description")), rs.field(QStringLiteral("ID")));
    }
    rs.close();
}
