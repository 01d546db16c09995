#include "output/genericslistwriter.h"

#include "app/applicationstate.h"
#include "db/recordset.h"
#include "output/htmlexportfile.h"

#include <QFileInfo>

namespace GenericsListWriter {

void write(const QString& path, ExportProgress* progress)
{
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    Recordset rs(QStringLiteral("Select * from CT_Generics Order by Description"), AppState::ConnectionString,
                 CursorType::Static, LockType::ReadOnly);
    HtmlExportFile file(fullPath);
    writePageHead(file, u"<Html>", fullPath, u"<body>");
    file.writeLine(QStringLiteral("<h><b><font size=+1>") + htmlText(AppState::CurrentOrganization) +
                   QStringLiteral("</font><br>") + htmlText(AppState::CurrentOrgAddress) + QStringLiteral("<BR>") +
                   htmlEscape(AppState::CurrentTenderDuration) + QStringLiteral("<BR>List of Generics</b></h>"));
    file.writeLine(u"<TABLE WIDTH=780 BORDER=1 CELLPADDING=1 CELLSPACING=0>");
    file.writeLine(u"<TR>");
    file.writeLine(u"<TH WIDTH=50 ALIGN=CENTER><font size=-1>SNO</TH>");
    file.writeLine(u"<TH WIDTH=150 ALIGN=CENTER><font size=-1>CODE</TH>");
    file.writeLine(u"<TH WIDTH=450 ALIGN=CENTER><font size=-1>GENERIC NAME</TH>");
    file.writeLine(u"<TH WIDTH=50 ALIGN=CENTER><font size=-1>PRE LOADED</TH>");
    file.writeLine(u"</TR>");
    if (progress)
        progress->start(static_cast<int>(rs.recordCount()));
    int serial = 1;
    while (!rs.eof()) {
        file.writeLine(u"<TR>");
        file.writeLine(QStringLiteral("<TD ALIGN=CENTER>") + QString::number(serial) + QStringLiteral("</TD>"));
        file.writeLine(QStringLiteral("<TD>") + htmlText(rs.field(QStringLiteral("Code"))) + QStringLiteral("</TD>"));
        file.writeLine(QStringLiteral("<TD>") + htmlText(rs.field(QStringLiteral("Description"))) + QStringLiteral("</TD>"));
        // Only a hospital row (False) counts as pre-loaded; a Null mark is treated like the vendor's own.
        const QVariant added = rs.field(QStringLiteral("AddedByVendor"));
        const bool preLoaded = !added.isNull() && !added.toBool();
        file.writeLine(preLoaded ? QStringLiteral("<TD ALIGN=CENTER>Yes</TD>") : QStringLiteral("<TD ALIGN=CENTER><B>No</B></TD>"));
        file.writeLine(u"</TR>");
        rs.moveNext();
        ++serial;
        if (progress)
            progress->advance();
    }
    file.writeLine(u"</TABLE>");
    file.writeLine(u"<BR><BR>");
    file.writeLine(u"</BODY>");
    file.writeLine(u"</HTML>");
    file.commit();
}

} // namespace GenericsListWriter
