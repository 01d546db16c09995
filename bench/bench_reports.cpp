// Speed and memory of the brands list of a large tender as a report: the whole PDF and the first page
// of the preview, next to reading the same rows straight from the engine and to writing the same cells
// with the PDF writer alone (no measuring, no wrapping). Prints figures; not a test.
// Run as: QT_QPA_PLATFORM=offscreen bench_reports [tender.klmt]  (without a file it makes the synthetic tender)
#include "app/applicationstate.h"
#include "bench/benchtiming.h"
#include "db/tenderbuilder.h"
#include "db/tenderdatabase.h"
#include "output/reportcontent.h"
#include "output/reportengine.h"
#include "output/reportrenderer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

using Bench::bestMs;

namespace {

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// The report's cells drawn where a fixed grid puts them, as many rows a page as the report has.
void plainPdf(const ReportContent& content, const QString& path, int rowsPerPage)
{
    QPdfWriter writer(path);
    writer.setResolution(ReportRenderer::Resolution);
    writer.setPageLayout(ReportRenderer(content).pageLayout());
    QPainter p(&writer);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(75);
    p.setFont(font);
    const qreal column = writer.width() / qreal(content.columns.size());
    int row = 0;
    for (const ReportLine& line : content.lines) {
        if (row == rowsPerPage) {
            writer.newPage();
            row = 0;
        }
        const qreal y = 400 + row * 150;
        for (int i = 0; i < line.cells.size(); ++i)
            p.drawText(QPointF(i * column, y), line.cells[i]);
        ++row;
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir folder;
    const QString tender = folder.filePath(QLatin1String(TenderDatabase::FileName));
    if (argc > 1)
        QFile::copy(QString::fromLocal8Bit(argv[1]), tender);
    else
        TenderBuilder::buildSynthetic(tender, {});
    const QString templ = QStringLiteral(QUILLBID_REPORTS_DIR "/CT_Brands.rpt");
    AppState::reset(folder.path());
    const QString connection = ReportEngine::connectionStringFor(tender);
    TenderDatabase::connection(connection);
    const ReportTemplate brands = ReportTemplate::load(templ);
    const std::vector<std::pair<QString, QString>> formulas{
        {"Organization", "Synthetic Hospital"}, {"OrgAddress", "Road 1, Pune"}, {"TenderDuration", "Tender 2099"}};

    long rows = 0;
    const QByteArray sql = brands.query.toUtf8();
    const double rawMs = bestMs(3, [&] { rows = Bench::rawRead(sql.constData()); });
    const double contentMs = bestMs(3, [&] { buildReportContent(brands, connection, formulas); });
    const long beforeReport = peakMegabytes();

    ReportEngine engine;
    engine.setDataFile(tender);
    engine.setReportFileName(templ);
    engine.setFormula(0, QStringLiteral("Organization='Synthetic Hospital'"));
    engine.setFormula(1, QStringLiteral("OrgAddress='Road 1, Pune'"));
    engine.setFormula(2, QStringLiteral("TenderDuration='Tender 2099'"));
    const QString pdf = folder.filePath(QStringLiteral("brands.pdf"));
    double cpuStart = Bench::cpuMs();
    QElapsedTimer whole;
    whole.start();
    engine.exportToPdf(pdf);
    const double wholeMs = static_cast<double>(whole.nsecsElapsed()) / 1e6;
    const double wholeCpu = Bench::cpuMs() - cpuStart;
    const long afterReport = peakMegabytes();

    // The preview's first page: read, lay out until one page is settled, paint it at screen size.
    int pages = 0;
    double layoutMs = 0;
    const double firstMs = bestMs(3, [&] {
        const ReportContent content = engine.prepare();
        ReportRenderer report(content);
        while (report.pageCount() == 0 && !report.layOut(50)) {
        }
        QImage screen(1300, 920, QImage::Format_RGB32);
        screen.fill(Qt::white);
        QPainter p(&screen);
        p.scale(screen.width() / report.pageSize().width(), screen.width() / report.pageSize().width());
        report.paintPage(p, 0);
        p.end();
        QElapsedTimer rest;
        rest.start();
        report.layOutAll();
        layoutMs = static_cast<double>(rest.nsecsElapsed()) / 1e6;
        pages = report.pageCount();
    });

    const ReportContent content = buildReportContent(brands, connection, formulas);
    const QString plain = folder.filePath(QStringLiteral("plain.pdf"));
    const int rowsPerPage = static_cast<int>((content.lines.size() + size_t(pages) - 1) / size_t(std::max(pages, 1)));
    double plainCpu = Bench::cpuMs();
    const double plainMs = bestMs(1, [&] { plainPdf(content, plain, rowsPerPage); });
    plainCpu = Bench::cpuMs() - plainCpu;

    std::printf("brands list of %ld rows, %d pages, body font %.1f pt\n", rows, pages,
                ReportRenderer(content).bodyPointSize());
    std::printf("  raw read of the rows               %8.0f ms\n", rawMs);
    std::printf("  report content (rows as text)      %8.0f ms\n", contentMs);
    std::printf("  same cells, PDF writer alone       %8.0f ms  (cpu %.0f ms, %lld bytes)\n", plainMs, plainCpu,
                QFile(plain).size());
    std::printf("  whole report to PDF                %8.0f ms  (cpu %.0f ms, %lld bytes)   bound 3000 ms\n", wholeMs,
                wholeCpu, QFile(pdf).size());
    std::printf("  first page in the preview          %8.0f ms   bound 1000 ms\n", firstMs);
    std::printf("  laying out the rest after it       %8.0f ms\n", layoutMs);
    std::printf("  peak memory before the report      %8ld MB\n", beforeReport);
    std::printf("  peak memory with the report        %8ld MB   bound 200 MB\n", afterReport);
    return 0;
}
