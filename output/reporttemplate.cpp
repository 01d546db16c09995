#include "output/reporttemplate.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString at(const QString& sourceName, int lineNumber)
{
    return sourceName + QStringLiteral(", line ") + QString::number(lineNumber) + QStringLiteral(": ");
}

QStringList splitParts(const QString& value)
{
    QStringList parts = value.split(QLatin1Char('|'));
    for (QString& p : parts)
        p = p.trimmed();
    return parts;
}

bool isFieldName(const QString& name)
{
    static const QRegularExpression field(QStringLiteral("^[A-Za-z_][A-Za-z0-9_%]*$"));
    return field.match(name).hasMatch();
}

ReportColumn parseColumn(const QString& value, const QString& where)
{
    const QStringList parts = splitParts(value);
    if (parts.size() < 3 || parts.size() > 4)
        throw TemplateError(where + QStringLiteral("a column needs caption | field | width [| alignment]"));
    ReportColumn column;
    column.caption = parts[0];
    column.field = parts[1];
    if (!isFieldName(column.field))
        throw TemplateError(where + QStringLiteral("'%1' is not a field name").arg(column.field));
    bool ok = false;
    column.width = parts[2].toInt(&ok);
    if (!ok || column.width <= 0 || column.width > 1000)
        throw TemplateError(where + QStringLiteral("the width '%1' is not a whole number from 1 to 1000").arg(parts[2]));
    if (parts.size() == 4) {
        const QString a = parts[3].toLower();
        if (a == QLatin1String("left"))
            column.alignment = ReportAlignment::Left;
        else if (a == QLatin1String("center"))
            column.alignment = ReportAlignment::Center;
        else if (a == QLatin1String("right"))
            column.alignment = ReportAlignment::Right;
        else
            throw TemplateError(where + QStringLiteral("the alignment '%1' is not left, center or right").arg(parts[3]));
    }
    return column;
}

ReportTotal parseTotal(const QString& value, const QString& where)
{
    const QStringList parts = splitParts(value);
    if (parts.size() != 2 || parts[0].isEmpty())
        throw TemplateError(where + QStringLiteral("a total needs label | count, or label | sum Field"));
    ReportTotal total;
    total.label = parts[0];
    const QStringList what = parts[1].split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (what.size() == 1 && what[0].compare(QLatin1String("count"), Qt::CaseInsensitive) == 0) {
        total.kind = ReportTotal::Kind::Count;
    } else if (what.size() == 2 && what[0].compare(QLatin1String("sum"), Qt::CaseInsensitive) == 0 && isFieldName(what[1])) {
        total.kind = ReportTotal::Kind::Sum;
        total.field = what[1];
    } else {
        throw TemplateError(where + QStringLiteral("'%1' is neither count nor sum Field").arg(parts[1]));
    }
    return total;
}

// A report only reads: anything but a single Select could change the tender.
bool isSingleSelect(const QString& query)
{
    static const QRegularExpression select(QStringLiteral("^select\\s"), QRegularExpression::CaseInsensitiveOption);
    return select.match(query).hasMatch() && !query.contains(QLatin1Char(';'));
}

ReportFormulaQuery parseFormulaQuery(const QString& value, const QString& where)
{
    const qsizetype bar = value.indexOf(QLatin1Char('|'));
    ReportFormulaQuery formula;
    formula.name = value.left(bar).trimmed();
    formula.query = bar < 0 ? QString() : value.mid(bar + 1).trimmed();
    if (bar < 0 || !isFieldName(formula.name) || formula.name.contains(QLatin1Char('%')))
        throw TemplateError(where + QStringLiteral("a formula needs name | Select ..."));
    if (!isSingleSelect(formula.query))
        throw TemplateError(where + QStringLiteral("the formula's query must be a single Select"));
    return formula;
}

} // namespace

ReportTemplate ReportTemplate::parse(const QString& text, const QString& sourceName)
{
    ReportTemplate t;
    QStringList queryParts;
    bool haveTitle = false;
    bool haveOrientation = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QString where = at(sourceName, i + 1);
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon <= 0)
            throw TemplateError(where + QStringLiteral("expected keyword: value"));
        const QString keyword = line.left(colon).trimmed().toLower();
        const QString value = line.mid(colon + 1).trimmed();

        if (keyword == QLatin1String("title")) {
            if (haveTitle)
                throw TemplateError(where + QStringLiteral("the title is given twice"));
            t.title = value;
            haveTitle = true;
        } else if (keyword == QLatin1String("heading")) {
            t.heading << value;
        } else if (keyword == QLatin1String("orientation")) {
            if (haveOrientation)
                throw TemplateError(where + QStringLiteral("the orientation is given twice"));
            haveOrientation = true;
            if (value.compare(QLatin1String("landscape"), Qt::CaseInsensitive) == 0)
                t.landscape = true;
            else if (value.compare(QLatin1String("portrait"), Qt::CaseInsensitive) != 0)
                throw TemplateError(where + QStringLiteral("the orientation '%1' is not portrait or landscape").arg(value));
        } else if (keyword == QLatin1String("query")) {
            if (value.isEmpty())
                throw TemplateError(where + QStringLiteral("an empty query line"));
            queryParts << value;
        } else if (keyword == QLatin1String("column")) {
            t.columns.push_back(parseColumn(value, where));
        } else if (keyword == QLatin1String("group")) {
            if (!t.groupField.isEmpty())
                throw TemplateError(where + QStringLiteral("only one group is allowed"));
            const QStringList parts = splitParts(value);
            if (parts.size() != 2 || parts[0].isEmpty() || !isFieldName(parts[1]))
                throw TemplateError(where + QStringLiteral("a group needs label | field"));
            t.groupLabel = parts[0];
            t.groupField = parts[1];
        } else if (keyword == QLatin1String("total")) {
            t.totals.push_back(parseTotal(value, where));
        } else if (keyword == QLatin1String("formula")) {
            t.formulaQueries.push_back(parseFormulaQuery(value, where));
        } else {
            throw TemplateError(where + QStringLiteral("unknown keyword '%1'").arg(line.left(colon).trimmed()));
        }
    }

    if (!haveTitle || t.title.isEmpty())
        throw TemplateError(sourceName + QStringLiteral(": the template has no title"));
    if (queryParts.isEmpty())
        throw TemplateError(sourceName + QStringLiteral(": the template has no query"));
    if (t.columns.empty())
        throw TemplateError(sourceName + QStringLiteral(": the template has no columns"));
    t.query = queryParts.join(QLatin1Char(' '));
    if (!isSingleSelect(t.query))
        throw TemplateError(sourceName + QStringLiteral(": the query must be a single Select"));
    return t;
}

ReportTemplate ReportTemplate::load(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.exists())
        throw TemplateError(QStringLiteral("The report template %1 was not found.").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        throw TemplateError(QStringLiteral("The report template %1 could not be read: %2").arg(path, file.errorString()));
    return parse(QString::fromUtf8(file.readAll()), name);
}

QStringList ReportTemplate::resolvedHeading(const std::vector<std::pair<QString, QString>>& formulas) const
{
    static const QRegularExpression place(QStringLiteral("\\{([A-Za-z_][A-Za-z0-9_]*)\\}"));
    QStringList out;
    for (const QString& line : heading) {
        QString resolved;
        qsizetype from = 0;
        auto it = place.globalMatch(line);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            resolved += line.mid(from, m.capturedStart() - from);
            for (const auto& [name, value] : formulas)
                if (name.compare(m.captured(1), Qt::CaseInsensitive) == 0) {
                    resolved += value;
                    break;
                }
            from = m.capturedEnd();
        }
        resolved += line.mid(from);
        out << resolved;
    }
    return out;
}
