#include "output/reportcontent.h"

#include "app/decimal.h"
#include "db/recordset.h"

#include <QDateTime>
#include <QVariant>
#include <algorithm>

namespace {

void requireField(const Recordset& rs, const QString& field, const QString& templateTitle)
{
    if (!rs.hasField(field))
        throw TemplateError(QStringLiteral("%1: the query returns no field '%2'").arg(templateTitle, field));
}

// Running totals for one scope (a group or the whole report).
class Totals
{
public:
    explicit Totals(const std::vector<ReportTotal>& totals) : m_totals(&totals), m_sums(totals.size()) {}

    void add(const Recordset& rs)
    {
        ++m_count;
        for (size_t i = 0; i < m_totals->size(); ++i) {
            const ReportTotal& total = (*m_totals)[i];
            if (total.kind != ReportTotal::Kind::Sum)
                continue;
            const QVariant v = rs.field(total.field);
            // Null and text that is not a number add nothing rather than stopping the report.
            if (const auto d = Decimal::parse(v.toString().trimmed()); !v.isNull() && d)
                m_sums[i] = m_sums[i] + *d;
        }
    }

    void appendLines(std::vector<ReportLine>& lines, ReportLine::Kind kind) const
    {
        for (size_t i = 0; i < m_totals->size(); ++i) {
            const ReportTotal& total = (*m_totals)[i];
            const QString value = total.kind == ReportTotal::Kind::Count ? QString::number(m_count) : m_sums[i].toText();
            lines.push_back({kind, {}, total.label + QStringLiteral(": ") + value});
        }
    }

private:
    const std::vector<ReportTotal>* m_totals;
    std::vector<Decimal> m_sums;
    int m_count = 0;
};

// The screen's formulas, then the template's own for the names the screen left out.
std::vector<std::pair<QString, QString>> allFormulas(const ReportTemplate& report, const QString& connectionString,
                                                     std::vector<std::pair<QString, QString>> formulas)
{
    for (const ReportFormulaQuery& f : report.formulaQueries) {
        const bool given = std::any_of(formulas.begin(), formulas.end(), [&](const auto& named) {
            return named.first.compare(f.name, Qt::CaseInsensitive) == 0;
        });
        if (given)
            continue;
        Recordset rs(f.query, connectionString, CursorType::ForwardOnly, LockType::ReadOnly);
        formulas.emplace_back(f.name, rs.eof() || rs.fieldCount() == 0 ? QString() : reportCellText(rs.field(0)));
    }
    return formulas;
}

} // namespace

QString reportCellText(const QVariant& value)
{
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("Yes") : QString();
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("dd-MM-yyyy"));
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("dd-MM-yyyy"));
    default:
        return value.toString();
    }
}

ReportContent buildReportContent(const ReportTemplate& report, const QString& connectionString,
                                 const std::vector<std::pair<QString, QString>>& formulas)
{
    ReportContent content;
    content.title = report.title;
    content.heading = report.resolvedHeading(allFormulas(report, connectionString, formulas));
    content.landscape = report.landscape;
    content.columns = report.columns;

    Recordset rs(report.query, connectionString, CursorType::ForwardOnly, LockType::ReadOnly);
    for (const ReportColumn& c : report.columns)
        requireField(rs, c.field, report.title);
    if (!report.groupField.isEmpty())
        requireField(rs, report.groupField, report.title);
    for (const ReportTotal& t : report.totals)
        if (t.kind == ReportTotal::Kind::Sum)
            requireField(rs, t.field, report.title);

    // Looked up once: a long list reads its cells by position.
    std::vector<int> fields;
    for (const ReportColumn& c : report.columns)
        fields.push_back(rs.fieldIndex(c.field));
    const bool grouped = !report.groupField.isEmpty();
    const int groupField = grouped ? rs.fieldIndex(report.groupField) : -1;

    Totals grand(report.totals);
    Totals group(report.totals);
    QString currentGroup;
    bool inGroup = false;
    content.lines.reserve(static_cast<size_t>(rs.recordCount()) + 1);
    for (; !rs.eof(); rs.moveNext()) {
        if (grouped) {
            const QString value = reportCellText(rs.field(groupField));
            if (!inGroup || value != currentGroup) {
                if (inGroup)
                    group.appendLines(content.lines, ReportLine::Kind::GroupTotal);
                group = Totals(report.totals);
                currentGroup = value;
                inGroup = true;
                content.lines.push_back({ReportLine::Kind::GroupHeader, {}, report.groupLabel + QStringLiteral(": ") + value});
            }
            group.add(rs);
        }
        ReportLine row;
        row.cells.reserve(static_cast<qsizetype>(fields.size()));
        for (int f : fields)
            row.cells << reportCellText(rs.field(f));
        content.lines.push_back(std::move(row));
        grand.add(rs);
        ++content.rowCount;
    }
    rs.close();
    if (inGroup)
        group.appendLines(content.lines, ReportLine::Kind::GroupTotal);
    grand.appendLines(content.lines, ReportLine::Kind::Total);
    return content;
}
