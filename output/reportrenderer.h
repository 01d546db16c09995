#pragma once

#include "output/reportcontent.h"

#include <QFont>
#include <QList>
#include <QLineF>
#include <QPageLayout>
#include <QPointF>
#include <QSizeF>
#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QPagedPaintDevice;
class QTextLayout;

// Told how far a long piece of work has come: `done` pages of `total` (0 while the number of pages is
// not known yet). Returns false to stop the work.
using ReportProgress = std::function<bool(int done, int total)>;

// Lays a report out on pages and paints any one of them on request. On every page: the heading lines,
// the title and the column captions at the top, "Page n of N" at the bottom; text wraps within its
// column, and a figure (a word with a digit in it) is never broken: the columns holding figures are
// made wide enough for the widest one, taking the room from the text columns, and when even that does
// not do the report's font steps down.
//
// Laying out is done a slice at a time (layOut), so a preview can show the first page of a report of
// any length at once and go on while the vendor reads. What is kept per page is only which lines it
// holds; a page is painted afresh whenever it is wanted, so memory does not grow with the pages.
//
// Everything is measured in layout units (Resolution per inch) with pixel-sized fonts, so the same
// layout paints on a PDF writer, a printer or the screen at any scale.
class ReportRenderer
{
public:
    static constexpr int Resolution = 600;

    // Keeps a reference to `content`, which must outlive the renderer; a temporary is refused.
    explicit ReportRenderer(const ReportContent& content);
    explicit ReportRenderer(ReportContent&&) = delete;
    ~ReportRenderer();
    ReportRenderer(const ReportRenderer&) = delete;
    ReportRenderer& operator=(const ReportRenderer&) = delete;

    const ReportContent& content() const { return m_content; }
    // A4 in the template's orientation with the report's margins: what every output sets up.
    QPageLayout pageLayout() const;
    // The area inside the margins, in layout units.
    QSizeF pageSize() const { return m_page; }
    qreal bodyPointSize() const;

    // Lays out up to `lines` more lines; true once the whole report is laid out.
    bool layOut(int lines);
    bool isLaidOut() const { return m_laidOut; }
    // Lays out the rest; false when `progress` stopped it.
    bool layOutAll(const ReportProgress& progress = {});
    // Pages whose lines are settled: every page once the report is laid out.
    int pageCount() const { return static_cast<int>(m_pages.size()); }
    int linesLaidOut() const { return static_cast<int>(m_next); }
    int lineCount() const { return static_cast<int>(m_content.lines.size()); }

    // Paints a settled page in layout units, with the painter's origin at the top left of the area
    // inside the margins. Until the report is laid out the footer cannot know the number of pages
    // and says "Page n" alone.
    void paintPage(QPainter& painter, int page) const;

private:
    struct MeasuredFont;
    struct Fonts;
    struct Page {
        size_t first;
        size_t end;
    };

    void chooseColumnsAndFont();
    void measureHeader();
    qreal lineHeight(size_t index);
    int cellLineCount(const QString& text, const MeasuredFont& font, qreal width) const;
    static bool fitsOnOneLine(const QString& text, const MeasuredFont& font, qreal width);
    qreal cellWidth(size_t column) const;
    static std::unique_ptr<QTextLayout> wrap(const QString& text, const QFont& font, qreal width, Qt::Alignment alignment,
                                             qreal* height);
    qreal paintWrapped(QPainter* painter, const QString& text, const QFont& font, qreal width, Qt::Alignment alignment,
                       QPointF at) const;
    // What a page collects to draw at once: the rules under its rows, and the glyphs of every cell
    // that takes one line (a PDF then writes one text object a page, not one a cell).
    struct PageBatch {
        std::vector<QLineF> rules;
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    void addOneLine(QPainter& p, PageBatch& batch, const QString& text, const MeasuredFont& font, QPointF baseline) const;
    void paintHeader(QPainter& p) const;
    void paintLine(QPainter& p, const ReportLine& line, qreal y, qreal height, PageBatch& batch) const;

    const ReportContent& m_content;
    QSizeF m_page;
    std::unique_ptr<Fonts> m_fonts;
    qreal m_padding = 0;
    std::vector<qreal> m_columnX;  // left edge of every column, and the right edge of the last
    qreal m_captionHeight = 0;
    qreal m_headerHeight = 0;
    qreal m_footerHeight = 0;
    struct HeaderText {
        std::unique_ptr<QTextLayout> layout;
        QPointF at;
    };
    std::vector<HeaderText> m_header;  // the same on every page: wrapped and shaped once
    qreal m_captionTop = 0;

    std::vector<float> m_heights;  // per line, once measured (negative until then)
    std::vector<Page> m_pages;
    size_t m_next = 0;             // the first line not yet placed
    size_t m_pageStart = 0;
    qreal m_used = 0;
    bool m_laidOut = false;
};

// Paints pages `from` to `to` (counted from 1; 0 and 0 for all) on a paged device whose page layout the
// caller has set up, scaled to fit its paintable area; lays the report out first. False when
// `progress` cancelled or the device could not be painted on.
bool paintReport(ReportRenderer& report, QPagedPaintDevice* device, const ReportProgress& progress = {}, int from = 0,
                 int to = 0);

enum class PdfResult { Written, Cancelled, Failed };
// The report as a PDF file. The file is written under a temporary name and put in place only when
// complete, so a cancelled or failed run leaves no file behind (and an older file there as it was).
PdfResult writeReportPdf(ReportRenderer& report, const QString& pdfPath, const ReportProgress& progress = {});
