// Report templates: any text ends in a template that keeps the promises the printing relies on
// (a title, columns of sane width, one read-only Select), or in a TemplateError naming the file.
#include "output/reporttemplate.h"

#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const ReportTemplate t = ReportTemplate::parse(text, QStringLiteral("fuzz.rpt"));
        check(!t.title.isEmpty());
        check(!t.columns.empty());
        for (const ReportColumn& c : t.columns)
            check(c.width >= 1 && c.width <= 1000 && !c.field.isEmpty());
        check(t.query.startsWith(QLatin1String("select"), Qt::CaseInsensitive));
        check(!t.query.contains(QLatin1Char(';')));
        const QStringList heading = t.resolvedHeading({{QStringLiteral("Organization"), QStringLiteral("{Organization}")},
                                                        {QStringLiteral("TenderDuration"), QString()}});
        check(heading.size() == t.heading.size());
    } catch (const TemplateError& e) {
        check(e.text().startsWith(QLatin1String("fuzz.rpt")));
    }
    return 0;
}
