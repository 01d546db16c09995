#include "output/reportrenderer.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <algorithm>

namespace {

constexpr qreal MarginMm = 12.0;

QFont reportFont(qreal points, bool bold = false, bool italic = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

Qt::Alignment toQt(ReportAlignment a)
{
    switch (a) {
    case ReportAlignment::Center: return Qt::AlignHCenter;
    case ReportAlignment::Right: return Qt::AlignRight;
    case ReportAlignment::Left: break;
    }
    return Qt::AlignLeft;
}

// Wraps `text` into `width` (at word boundaries, or anywhere when a word is longer than the width),
// returns the height it takes and, given a painter, draws it with its top left at `at`.
qreal wrappedText(const QString& text, const QFont& font, qreal width, QPaintDevice* device, Qt::Alignment alignment,
                  QPainter* painter = nullptr, QPointF at = {})
{
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setAlignment(alignment);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max<qreal>(width, 1));
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    if (painter)
        layout.draw(painter, at);
    return std::max(y, QFontMetricsF(font, device).height());
}

// Everything measured once for one device: fonts, column positions and the height of every block.
struct Layout {
    QPaintDevice* device = nullptr;
    qreal mm = 1;  // device pixels per millimetre
    QRectF page;
    QFont headingFirst = reportFont(13, true);
    QFont headingOther = reportFont(10);
    QFont titleFont = reportFont(12, true);
    std::vector<QFont> captionFonts; // per column
    QFont bodyFont = reportFont(9);
    QFont groupFont = reportFont(9.5, true);
    QFont totalFont = reportFont(9, true);
    QFont groupTotalFont = reportFont(9, false, true);
    QFont footerFont = reportFont(8);
    qreal padding = 0;
    std::vector<qreal> columnX;      // left edge of every column, and the right edge of the last
    qreal captionHeight = 0;
    qreal headerHeight = 0;          // heading, title and column captions
    qreal footerHeight = 0;

    QFont fontFor(ReportLine::Kind kind) const
    {
        switch (kind) {
        case ReportLine::Kind::GroupHeader: return groupFont;
        case ReportLine::Kind::GroupTotal: return groupTotalFont;
        case ReportLine::Kind::Total: return totalFont;
        case ReportLine::Kind::Row: break;
        }
        return bodyFont;
    }
};

qreal headingLineHeight(const Layout& l, int index, const QString& text)
{
    return wrappedText(text, index == 0 ? l.headingFirst : l.headingOther, l.page.width(), l.device, Qt::AlignHCenter);
}

qreal cellWidth(const Layout& l, size_t column)
{
    return l.columnX[column + 1] - l.columnX[column] - 2 * l.padding;
}

qreal lineHeight(const Layout& l, const ReportContent& c, const ReportLine& line)
{
    if (line.kind != ReportLine::Kind::Row)
        return wrappedText(line.text, l.fontFor(line.kind), l.page.width() - 2 * l.padding, l.device, Qt::AlignLeft) +
               2 * l.padding + (line.kind == ReportLine::Kind::GroupHeader ? l.padding : 0);
    qreal tallest = 0;
    for (size_t i = 0; i < c.columns.size(); ++i)
        tallest = std::max(tallest, wrappedText(line.cells.value(static_cast<int>(i)), l.bodyFont, cellWidth(l, i), l.device,
                                                toQt(c.columns[i].alignment)));
    return tallest + 2 * l.padding;
}

// A caption wraps between its words but never inside one: a narrow column gets a smaller caption font.
QFont captionFont(const QString& caption, qreal width, QPaintDevice* device)
{
    QFont f = reportFont(9, true);
    const QStringList words = caption.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (qreal points = 9; points > 5; points -= 0.5) {
        f.setPointSizeF(points);
        const QFontMetricsF fm(f, device);
        if (std::all_of(words.begin(), words.end(), [&](const QString& w) { return fm.horizontalAdvance(w) <= width; }))
            break;
    }
    return f;
}

Layout measure(const ReportContent& c, QPaintDevice* device)
{
    Layout l;
    l.device = device;
    l.mm = device->logicalDpiX() / 25.4;
    l.page = QRectF(0, 0, device->width(), device->height());
    l.padding = 0.8 * l.mm;

    int totalWidth = 0;
    for (const ReportColumn& col : c.columns)
        totalWidth += col.width;
    qreal x = 0;
    l.columnX.push_back(0);
    for (const ReportColumn& col : c.columns) {
        x += l.page.width() * col.width / std::max(totalWidth, 1);
        l.columnX.push_back(x);
    }

    qreal h = 0;
    for (int i = 0; i < c.heading.size(); ++i)
        h += headingLineHeight(l, i, c.heading[i]);
    h += 2 * l.mm + wrappedText(c.title, l.titleFont, l.page.width(), device, Qt::AlignHCenter) + 3 * l.mm;
    qreal caption = 0;
    // One size for the whole caption row, the largest at which every column's caption fits.
    QFont smallest = reportFont(9, true);
    for (size_t i = 0; i < c.columns.size(); ++i) {
        const QFont f = captionFont(c.columns[i].caption, cellWidth(l, i), device);
        if (f.pointSizeF() < smallest.pointSizeF())
            smallest = f;
    }
    l.captionFonts.assign(c.columns.size(), smallest);
    for (size_t i = 0; i < c.columns.size(); ++i) {
        caption = std::max(caption, wrappedText(c.columns[i].caption, l.captionFonts.back(), cellWidth(l, i), device,
                                                toQt(c.columns[i].alignment)));
    }
    l.captionHeight = caption + 2 * l.padding;
    l.headerHeight = h + l.captionHeight;
    l.footerHeight = QFontMetricsF(l.footerFont, device).height() + 3 * l.mm;
    return l;
}

// Which lines go on which page: a line that does not fit starts a new page, and a group header is
// never left alone at the foot of a page.
std::vector<std::vector<size_t>> paginate(const std::vector<qreal>& heights, const std::vector<ReportLine>& lines,
                                          qreal available)
{
    std::vector<std::vector<size_t>> pages(1);
    qreal used = 0;
    for (size_t i = 0; i < heights.size(); ++i) {
        qreal needed = heights[i];
        if (lines[i].kind == ReportLine::Kind::GroupHeader && i + 1 < heights.size())
            needed += heights[i + 1];
        if (used + needed > available && !pages.back().empty()) {
            pages.emplace_back();
            used = 0;
        }
        pages.back().push_back(i);
        used += heights[i];
    }
    return pages;
}

void paintHeader(QPainter& p, const Layout& l, const ReportContent& c)
{
    qreal y = 0;
    p.setPen(Qt::black);
    for (int i = 0; i < c.heading.size(); ++i)
        y += wrappedText(c.heading[i], i == 0 ? l.headingFirst : l.headingOther, l.page.width(), l.device,
                         Qt::AlignHCenter, &p, QPointF(0, y));
    y += 2 * l.mm;
    y += wrappedText(c.title, l.titleFont, l.page.width(), l.device, Qt::AlignHCenter, &p, QPointF(0, y));
    y += 3 * l.mm;

    const QRectF band(0, y, l.page.width(), l.captionHeight);
    p.fillRect(band, QColor(225, 225, 225));
    p.setPen(QPen(Qt::black, 0.25 * l.mm));
    p.drawLine(band.topLeft(), band.topRight());
    p.drawLine(band.bottomLeft(), band.bottomRight());
    for (size_t i = 0; i < c.columns.size(); ++i)
        wrappedText(c.columns[i].caption, l.captionFonts[i], cellWidth(l, i), l.device, toQt(c.columns[i].alignment), &p,
                    QPointF(l.columnX[i] + l.padding, y + l.padding));
}

void paintLine(QPainter& p, const Layout& l, const ReportContent& c, const ReportLine& line, qreal y, qreal height)
{
    p.setPen(Qt::black);
    if (line.kind == ReportLine::Kind::Row) {
        for (size_t i = 0; i < c.columns.size(); ++i)
            wrappedText(line.cells.value(static_cast<int>(i)), l.bodyFont, cellWidth(l, i), l.device,
                        toQt(c.columns[i].alignment), &p, QPointF(l.columnX[i] + l.padding, y + l.padding));
        p.setPen(QPen(QColor(190, 190, 190), 0.1 * l.mm));
        p.drawLine(QPointF(0, y + height), QPointF(l.page.width(), y + height));
        return;
    }
    const qreal top = line.kind == ReportLine::Kind::GroupHeader ? y + 2 * l.padding : y + l.padding;
    if (line.kind == ReportLine::Kind::Total) {
        p.setPen(QPen(Qt::black, 0.25 * l.mm));
        p.drawLine(QPointF(0, y), QPointF(l.page.width(), y));
        p.setPen(Qt::black);
    }
    wrappedText(line.text, l.fontFor(line.kind), l.page.width() - 2 * l.padding, l.device, Qt::AlignLeft, &p,
                QPointF(l.padding, top));
}

void paintFooter(QPainter& p, const Layout& l, int page, int pages)
{
    const QFontMetricsF fm(l.footerFont, l.device);
    const QRectF area(0, l.page.height() - fm.height(), l.page.width(), fm.height());
    p.setFont(l.footerFont);
    p.setPen(Qt::black);
    p.drawText(area, Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("Page %1 of %2").arg(page).arg(pages));
}

} // namespace

int ReportRenderer::render(QPagedPaintDevice* device, bool setUpPage) const
{
    if (setUpPage) {
        device->setPageOrientation(m_content.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        device->setPageMargins(QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm), QPageLayout::Millimeter);
    }
    QPainter p;
    if (!p.begin(device))
        return 0;
    const Layout l = measure(m_content, device);

    std::vector<qreal> heights;
    heights.reserve(m_content.lines.size());
    for (const ReportLine& line : m_content.lines)
        heights.push_back(lineHeight(l, m_content, line));
    const auto pages = paginate(heights, m_content.lines, l.page.height() - l.headerHeight - l.footerHeight);

    const int pageCount = static_cast<int>(pages.size());
    for (int n = 0; n < pageCount; ++n) {
        if (n > 0)
            device->newPage();
        // A line taller than a whole page is cut at the footer rather than painted over it.
        p.setClipRect(QRectF(0, 0, l.page.width(), l.page.height() - l.footerHeight));
        paintHeader(p, l, m_content);
        qreal y = l.headerHeight;
        for (size_t index : pages[static_cast<size_t>(n)]) {
            paintLine(p, l, m_content, m_content.lines[index], y, heights[index]);
            y += heights[index];
        }
        p.setClipping(false);
        paintFooter(p, l, n + 1, pageCount);
    }
    p.end();
    return pageCount;
}

bool renderReportToPdf(const ReportContent& content, const QString& pdfPath)
{
    QPdfWriter writer(pdfPath);
    if (!writer.setPageSize(QPageSize(QPageSize::A4)))
        return false;
    writer.setResolution(300);
    writer.setTitle(content.title);
    writer.setCreator(QStringLiteral("Quillbid"));
    return ReportRenderer(content).render(&writer) > 0;
}
