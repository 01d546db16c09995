#include "output/reportrenderer.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr qreal MarginMm = 12.0;
constexpr qreal Mm = ReportRenderer::Resolution / 25.4;
constexpr qreal LargestBodyPoints = 9.0;
constexpr qreal SmallestBodyPoints = 6.0;
// A text column gives up at most this share of its width to the figures beside it.
constexpr qreal TextColumnKeeps = 0.6;
// Lines laid out between two looks at the progress callback.
constexpr int LayoutSlice = 2000;

Qt::Alignment toQt(ReportAlignment a)
{
    switch (a) {
    case ReportAlignment::Center: return Qt::AlignHCenter;
    case ReportAlignment::Right: return Qt::AlignRight;
    case ReportAlignment::Left: break;
    }
    return Qt::AlignLeft;
}

// Pixel-sized in layout units, unhinted: the metrics then hold at every scale the page is painted at.
QFont reportFont(qreal points, bool bold = false, bool italic = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setPixelSize(std::max(1, qRound(points * ReportRenderer::Resolution / 72.0)));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

bool isFigureChar(QChar c)
{
    return c.isDigit();
}

} // namespace

// A font with its metrics and, for each character met so far, its glyph and advance: most cells are
// measured by adding up cached advances and drawn as a run of those glyphs, without shaping them
// again on every page. Text the cache cannot take (characters beyond it, or missing from the font, which
// the shaper would take from another font) is measured and drawn by the full text machinery.
struct ReportRenderer::MeasuredFont {
    struct Glyph {
        quint32 index = 0;
        float advance = -1.0F;  // negative: not looked up yet
    };
    QFont font;
    QFontMetricsF metrics;
    QRawFont raw;
    mutable std::vector<Glyph> glyphs = std::vector<Glyph>(0x2000);

    explicit MeasuredFont(const QFont& f) : font(f), metrics(f), raw(QRawFont::fromFont(f)) {}

    // The cached glyph of `c`, or nullptr when it is not one the cache can stand for.
    const Glyph* glyph(QChar c) const
    {
        const char16_t u = c.unicode();
        if (u >= glyphs.size() || u < 0x20 || !raw.isValid())
            return nullptr;
        Glyph& g = glyphs[u];
        if (g.advance < 0) {
            const QList<quint32> index = raw.glyphIndexesForString(QString(c));
            g.index = index.value(0);
            g.advance = g.index == 0 ? 0.0F : static_cast<float>(raw.advancesForGlyphIndexes(index).value(0).x());
        }
        return g.index == 0 ? nullptr : &g;
    }

    // The width of a line of `text`; negative when the cache cannot stand for it. Sets `lineBreak`
    // when the text holds one.
    qreal width(QStringView text, bool* lineBreak = nullptr) const
    {
        qreal sum = 0;
        for (QChar c : text) {
            if (c == u'\n' || c == u'\r' || c == QChar::LineSeparator) {
                if (lineBreak)
                    *lineBreak = true;
                return -1;
            }
            const Glyph* g = glyph(c);
            if (!g)
                return -1;
            sum += g->advance;
        }
        return sum;
    }
};

struct ReportRenderer::Fonts {
    MeasuredFont headingFirst{reportFont(13, true)};
    MeasuredFont headingOther{reportFont(10)};
    MeasuredFont title{reportFont(12, true)};
    MeasuredFont footer{reportFont(8)};
    qreal bodyPoints = LargestBodyPoints;
    MeasuredFont body{reportFont(LargestBodyPoints)};
    MeasuredFont group{reportFont(LargestBodyPoints + 0.5, true)};
    MeasuredFont total{reportFont(LargestBodyPoints, true)};
    MeasuredFont groupTotal{reportFont(LargestBodyPoints, false, true)};
    MeasuredFont caption{reportFont(LargestBodyPoints, true)};

    void setBodyPoints(qreal points)
    {
        bodyPoints = points;
        body = MeasuredFont(reportFont(points));
        group = MeasuredFont(reportFont(points + 0.5, true));
        total = MeasuredFont(reportFont(points, true));
        groupTotal = MeasuredFont(reportFont(points, false, true));
    }

    const MeasuredFont& forLine(ReportLine::Kind kind) const
    {
        switch (kind) {
        case ReportLine::Kind::GroupHeader: return group;
        case ReportLine::Kind::GroupTotal: return groupTotal;
        case ReportLine::Kind::Total: return total;
        case ReportLine::Kind::Row: break;
        }
        return body;
    }
};

ReportRenderer::ReportRenderer(const ReportContent& content) : m_content(content), m_fonts(std::make_unique<Fonts>())
{
    const QRectF paintable = pageLayout().paintRect(QPageLayout::Millimeter);
    m_page = QSizeF(paintable.width() * Mm, paintable.height() * Mm);
    m_padding = 0.8 * Mm;
    m_heights.assign(m_content.lines.size(), -1.0F);
    chooseColumnsAndFont();
    measureHeader();
}

ReportRenderer::~ReportRenderer() = default;

QPageLayout ReportRenderer::pageLayout() const
{
    return QPageLayout(QPageSize(QPageSize::A4), m_content.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm), QPageLayout::Millimeter);
}

qreal ReportRenderer::bodyPointSize() const
{
    return m_fonts->bodyPoints;
}

void ReportRenderer::chooseColumnsAndFont()
{
    const size_t columns = m_content.columns.size();
    // The widest figure of each column at the largest font; at a smaller one it shrinks in proportion.
    std::vector<qreal> figure(columns, 0);
    std::vector<qreal> word(columns, 0);  // the widest word of any kind, which a column keeps room for if it can
    const MeasuredFont& largest = m_fonts->body;
    for (const ReportLine& line : m_content.lines) {
        if (line.kind != ReportLine::Kind::Row)
            continue;
        for (size_t i = 0; i < columns && i < size_t(line.cells.size()); ++i) {
            const QString& text = line.cells[qsizetype(i)];
            qsizetype start = 0;
            for (qsizetype at = 0; at <= text.size(); ++at) {
                if (at < text.size() && !text[at].isSpace())
                    continue;
                const QStringView one = QStringView(text).mid(start, at - start);
                start = at + 1;
                if (one.isEmpty())
                    continue;
                qreal width = largest.width(one);
                if (width < 0)
                    width = largest.metrics.horizontalAdvance(one.toString());
                word[i] = std::max(word[i], width);
                if (std::any_of(one.begin(), one.end(), isFigureChar))
                    figure[i] = std::max(figure[i], width);
            }
        }
    }

    const int totalShare = std::accumulate(m_content.columns.begin(), m_content.columns.end(), 0,
                                           [](int sum, const ReportColumn& c) { return sum + c.width; });
    std::vector<qreal> share(columns), widths(columns);
    for (size_t i = 0; i < columns; ++i)
        share[i] = m_page.width() * m_content.columns[i].width / std::max(totalShare, 1);

    qreal points = LargestBodyPoints;
    for (;; points -= 0.5) {
        // A little over the measured width, for the rounding of the font's size.
        const qreal scale = points / LargestBodyPoints * 1.02;
        qreal over = -m_page.width();
        qreal slack = 0;
        std::vector<qreal> need(columns), give(columns);
        for (size_t i = 0; i < columns; ++i) {
            need[i] = figure[i] > 0 ? figure[i] * scale + 2 * m_padding : 0;
            widths[i] = std::max(share[i], need[i]);
            over += widths[i];
            // A text column gives room down to its share's floor, but not below its widest word.
            const qreal keep = std::max({need[i], share[i] * TextColumnKeeps, std::min(share[i], word[i] * scale + 2 * m_padding)});
            give[i] = std::max<qreal>(0, share[i] - keep);
            slack += give[i];
        }
        if (over <= 0.01 || slack >= over) {
            for (size_t i = 0; i < columns && over > 0.01; ++i)
                widths[i] -= give[i] * over / slack;
            break;
        }
        if (points - 0.5 < SmallestBodyPoints) {
            // Not even the smallest font makes room: keep the shares and let the widest figures wrap.
            widths = share;
            break;
        }
    }
    if (points != LargestBodyPoints)
        m_fonts->setBodyPoints(points);

    m_columnX.assign(1, 0);
    for (size_t i = 0; i < columns; ++i)
        m_columnX.push_back(m_columnX.back() + widths[i]);
    // Rounding must not push the last column past the margin.
    m_columnX.back() = std::min(m_columnX.back(), m_page.width());
}

void ReportRenderer::measureHeader()
{
    const Fonts& f = *m_fonts;
    qreal y = 0;
    const auto add = [&](const QString& text, const QFont& font, qreal x, qreal width, Qt::Alignment alignment) {
        qreal height = 0;
        m_header.push_back({wrap(text, font, width, alignment, &height), QPointF(x, y)});
        return height;
    };
    for (int i = 0; i < m_content.heading.size(); ++i)
        y += add(m_content.heading[i], (i == 0 ? f.headingFirst : f.headingOther).font, 0, m_page.width(), Qt::AlignHCenter);
    y += 2 * Mm;
    y += add(m_content.title, f.title.font, 0, m_page.width(), Qt::AlignHCenter);
    y += 3 * Mm;

    // A caption wraps between its words but never inside one: one size for the whole row, the largest
    // (at most the body's) at which every caption word fits its column.
    qreal points = std::min(LargestBodyPoints, m_fonts->bodyPoints);
    for (; points > 5; points -= 0.5) {
        const QFontMetricsF fm(reportFont(points, true));
        bool fits = true;
        for (size_t i = 0; i < m_content.columns.size() && fits; ++i)
            for (const QString& word : m_content.columns[i].caption.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                fits = fits && fm.horizontalAdvance(word) <= cellWidth(i);
        if (fits)
            break;
    }
    m_fonts->caption = MeasuredFont(reportFont(points, true));
    m_captionTop = y;
    y += m_padding;
    qreal caption = 0;
    for (size_t i = 0; i < m_content.columns.size(); ++i)
        caption = std::max(caption, add(m_content.columns[i].caption, m_fonts->caption.font, m_columnX[i] + m_padding,
                                        cellWidth(i), toQt(m_content.columns[i].alignment)));
    m_captionHeight = caption + 2 * m_padding;
    m_headerHeight = m_captionTop + m_captionHeight;
    m_footerHeight = f.footer.metrics.height() + 3 * Mm;
}

qreal ReportRenderer::cellWidth(size_t column) const
{
    return m_columnX[column + 1] - m_columnX[column] - 2 * m_padding;
}

bool ReportRenderer::fitsOnOneLine(const QString& text, const MeasuredFont& mf, qreal width)
{
    bool lineBreak = false;
    const qreal cached = mf.width(text, &lineBreak);
    if (lineBreak)
        return false;
    return (cached >= 0 ? cached : mf.metrics.horizontalAdvance(text)) <= width;
}

int ReportRenderer::cellLineCount(const QString& text, const MeasuredFont& font, qreal width) const
{
    if (text.isEmpty() || fitsOnOneLine(text, font, width))
        return 1;
    const qreal height = paintWrapped(nullptr, text, font.font, width, Qt::AlignLeft, {});
    return std::max(1, qRound(height / font.metrics.height()));
}

// Wraps `text` into `width` (between words, or anywhere in a word longer than the width) and gives the
// height it takes.
std::unique_ptr<QTextLayout> ReportRenderer::wrap(const QString& text, const QFont& font, qreal width,
                                                  Qt::Alignment alignment, qreal* height)
{
    QString laid = text;
    laid.replace(QLatin1String("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\n'), QChar::LineSeparator);
    auto layout = std::make_unique<QTextLayout>(laid, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setAlignment(alignment);
    layout->setTextOption(option);
    layout->beginLayout();
    qreal y = 0;
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLineWidth(std::max<qreal>(width, 1));
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout->endLayout();
    *height = std::max(y, QFontMetricsF(font).height());
    return layout;
}

// Draws a wrapped text with its top left at `at`; gives its height.
qreal ReportRenderer::paintWrapped(QPainter* painter, const QString& text, const QFont& font, qreal width,
                                   Qt::Alignment alignment, QPointF at) const
{
    qreal height = 0;
    const auto layout = wrap(text, font, width, alignment, &height);
    if (painter)
        layout->draw(painter, at);
    return height;
}

void ReportRenderer::addOneLine(QPainter& p, PageBatch& batch, const QString& text, const MeasuredFont& font,
                                QPointF baseline) const
{
    const qsizetype start = batch.glyphs.size();
    qreal x = baseline.x();
    for (QChar c : text) {
        const MeasuredFont::Glyph* g = font.glyph(c);
        if (!g) {
            // Not one the cache stands for: the shaper draws it, with glyphs from another font if need be.
            batch.glyphs.resize(start);
            batch.positions.resize(start);
            p.setFont(font.font);
            p.drawText(baseline, text);
            return;
        }
        batch.glyphs << g->index;
        batch.positions << QPointF(x, baseline.y());
        x += g->advance;
    }
}

qreal ReportRenderer::lineHeight(size_t index)
{
    if (m_heights[index] >= 0)
        return m_heights[index];
    const ReportLine& line = m_content.lines[index];
    qreal h = 0;
    if (line.kind != ReportLine::Kind::Row) {
        const MeasuredFont& mf = m_fonts->forLine(line.kind);
        h = cellLineCount(line.text, mf, m_page.width() - 2 * m_padding) * mf.metrics.height() + 2 * m_padding +
            (line.kind == ReportLine::Kind::GroupHeader ? m_padding : 0);
    } else {
        int lines = 1;
        for (size_t i = 0; i < m_content.columns.size() && i < size_t(line.cells.size()); ++i)
            lines = std::max(lines, cellLineCount(line.cells[qsizetype(i)], m_fonts->body, cellWidth(i)));
        h = lines * m_fonts->body.metrics.height() + 2 * m_padding;
    }
    m_heights[index] = static_cast<float>(h);
    return h;
}

bool ReportRenderer::layOut(int lines)
{
    const size_t count = m_content.lines.size();
    const qreal available = m_page.height() - m_headerHeight - m_footerHeight;
    for (int n = 0; n < lines && m_next < count; ++n) {
        const size_t i = m_next;
        const qreal h = lineHeight(i);
        qreal needed = h;
        // A group's heading line goes to the next page together with its first line.
        if (m_content.lines[i].kind == ReportLine::Kind::GroupHeader && i + 1 < count)
            needed += lineHeight(i + 1);
        if (m_used + needed > available && i > m_pageStart) {
            m_pages.push_back({m_pageStart, i});
            m_pageStart = i;
            m_used = 0;
        }
        m_used += h;
        ++m_next;
    }
    if (m_next == count && !m_laidOut) {
        m_pages.push_back({m_pageStart, count});
        m_laidOut = true;
    }
    return m_laidOut;
}

bool ReportRenderer::layOutAll(const ReportProgress& progress)
{
    while (!layOut(LayoutSlice))
        if (progress && !progress(pageCount(), 0))
            return false;
    return true;
}

void ReportRenderer::paintHeader(QPainter& p) const
{
    const QRectF band(0, m_captionTop, m_page.width(), m_captionHeight);
    p.fillRect(band, QColor(225, 225, 225));
    p.setPen(QPen(Qt::black, 0.25 * Mm));
    p.drawLine(band.topLeft(), band.topRight());
    p.drawLine(band.bottomLeft(), band.bottomRight());
    p.setPen(Qt::black);
    for (const HeaderText& text : m_header)
        text.layout->draw(&p, text.at);
}

void ReportRenderer::paintLine(QPainter& p, const ReportLine& line, qreal y, qreal height, PageBatch& batch) const
{
    if (line.kind == ReportLine::Kind::Row) {
        const MeasuredFont& body = m_fonts->body;
        for (size_t i = 0; i < m_content.columns.size() && i < size_t(line.cells.size()); ++i) {
            const QString& text = line.cells[qsizetype(i)];
            if (text.isEmpty())
                continue;
            const qreal width = cellWidth(i);
            const QPointF at(m_columnX[i] + m_padding, y + m_padding);
            const Qt::Alignment alignment = toQt(m_content.columns[i].alignment);
            bool lineBreak = false;
            qreal textWidth = body.width(text, &lineBreak);
            if (textWidth < 0 && !lineBreak)
                textWidth = body.metrics.horizontalAdvance(text);
            if (lineBreak || textWidth > width) {
                paintWrapped(&p, text, body.font, width, alignment, at);
                continue;
            }
            qreal x = at.x();
            if (alignment != Qt::AlignLeft)
                x += alignment == Qt::AlignRight ? width - textWidth : (width - textWidth) / 2;
            addOneLine(p, batch, text, body, QPointF(x, at.y() + body.metrics.ascent()));
        }
        batch.rules.push_back(QLineF(0, y + height, m_page.width(), y + height));
        return;
    }
    const qreal top = line.kind == ReportLine::Kind::GroupHeader ? y + 2 * m_padding : y + m_padding;
    if (line.kind == ReportLine::Kind::Total) {
        p.setPen(QPen(Qt::black, 0.25 * Mm));
        p.drawLine(QPointF(0, y), QPointF(m_page.width(), y));
        p.setPen(Qt::black);
    }
    paintWrapped(&p, line.text, m_fonts->forLine(line.kind).font, m_page.width() - 2 * m_padding, Qt::AlignLeft,
                 QPointF(m_padding, top));
}

void ReportRenderer::paintPage(QPainter& p, int page) const
{
    if (page < 0 || page >= pageCount())
        return;
    const Page& lines = m_pages[size_t(page)];
    p.save();
    // A line taller than a whole page is cut at the footer rather than painted over it.
    p.setClipRect(QRectF(0, 0, m_page.width(), m_page.height() - m_footerHeight), Qt::IntersectClip);
    paintHeader(p);
    qreal y = m_headerHeight;
    PageBatch batch;
    p.setPen(Qt::black);
    for (size_t i = lines.first; i < lines.end; ++i) {
        const qreal h = m_heights[i];
        paintLine(p, m_content.lines[i], y, h, batch);
        y += h;
    }
    if (!batch.glyphs.isEmpty()) {
        QGlyphRun run;
        run.setRawFont(m_fonts->body.raw);
        run.setGlyphIndexes(batch.glyphs);
        run.setPositions(batch.positions);
        p.setPen(Qt::black);
        p.drawGlyphRun(QPointF(0, 0), run);
    }
    p.setPen(QPen(QColor(190, 190, 190), 0.1 * Mm));
    p.drawLines(batch.rules.data(), int(batch.rules.size()));
    p.restore();

    p.save();
    const QRectF area(0, m_page.height() - m_fonts->footer.metrics.height(), m_page.width(), m_fonts->footer.metrics.height());
    p.setFont(m_fonts->footer.font);
    p.setPen(Qt::black);
    const QString footer = m_laidOut ? QStringLiteral("Page %1 of %2").arg(page + 1).arg(pageCount())
                                     : QStringLiteral("Page %1").arg(page + 1);
    p.drawText(area, Qt::AlignHCenter | Qt::AlignBottom, footer);
    p.restore();
}

bool paintReport(ReportRenderer& report, QPagedPaintDevice* device, const ReportProgress& progress, int from, int to)
{
    if (!report.layOutAll(progress))
        return false;
    const int first = std::clamp(from > 0 ? from - 1 : 0, 0, report.pageCount() - 1);
    const int last = std::clamp(to > 0 ? to - 1 : report.pageCount() - 1, first, report.pageCount() - 1);
    QPainter p;
    if (!p.begin(device))
        return false;
    // The device may be a printer whose paper is not A4: the page is scaled to fit it, never cut.
    const qreal scale = std::min(device->width() / report.pageSize().width(), device->height() / report.pageSize().height());
    for (int n = first; n <= last; ++n) {
        if (n > first)
            device->newPage();
        p.save();
        p.scale(scale, scale);
        report.paintPage(p, n);
        p.restore();
        if (progress && !progress(n - first + 1, last - first + 1)) {
            p.end();
            return false;
        }
    }
    return p.end();
}

PdfResult writeReportPdf(ReportRenderer& report, const QString& pdfPath, const ReportProgress& progress)
{
    QSaveFile file(pdfPath);
    if (!file.open(QIODevice::WriteOnly))
        return PdfResult::Failed;
    bool cancelled = false;
    const ReportProgress watch = [&](int done, int total) {
        cancelled = progress && !progress(done, total);
        return !cancelled;
    };
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(ReportRenderer::Resolution);
        writer.setPageLayout(report.pageLayout());
        writer.setTitle(report.content().title);
        writer.setCreator(QStringLiteral("Quillbid"));
        painted = paintReport(report, &writer, watch);
    }
    if (!painted) {
        file.cancelWriting();
        return cancelled ? PdfResult::Cancelled : PdfResult::Failed;
    }
    return file.commit() ? PdfResult::Written : PdfResult::Failed;
}
