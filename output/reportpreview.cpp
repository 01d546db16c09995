#include "output/reportpreview.h"

#include "app/messagebox.h"
#include "app/platformseams.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QProgressDialog>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <climits>

namespace {

constexpr int Gap = 16;          // screen pixels around and between the sheets
constexpr int TurnMs = 30;       // the longest the preview lays out before it answers the vendor again

qreal unitsPerMm()
{
    return ReportRenderer::Resolution / 25.4;
}

// A modal progress window for printing and saving; its callback keeps the window answering and says
// whether to go on.
class ProgressWindow
{
public:
    ProgressWindow(QWidget* parent, const QString& title) : m_dialog(QString(), QStringLiteral("Cancel"), 0, 0, parent)
    {
        m_dialog.setObjectName(QStringLiteral("dlgReportProgress"));
        m_dialog.setWindowTitle(title);
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(0);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
        m_dialog.setMinimumWidth(360);
        m_dialog.show();
    }

    ReportProgress callback(std::function<void()> onCancel = {})
    {
        return [this, onCancel = std::move(onCancel)](int done, int total) {
            if (total > 0) {
                m_dialog.setLabelText(QStringLiteral("Page %1 of %2").arg(done).arg(total));
                m_dialog.setMaximum(total);
                m_dialog.setValue(done);
            } else {
                m_dialog.setLabelText(QStringLiteral("Laying out the pages: %1 so far").arg(done));
                m_dialog.setMaximum(0);
                m_dialog.setValue(0);
            }
            QCoreApplication::processEvents();
            if (!m_dialog.wasCanceled())
                return true;
            if (onCancel)
                onCancel();
            return false;
        };
    }

private:
    QProgressDialog m_dialog;
};

} // namespace

// --- the pages ---

ReportPageView::ReportPageView(const ReportRenderer& report, QWidget* parent) : QAbstractScrollArea(parent), m_report(report)
{
    setObjectName(QStringLiteral("pageView"));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setSingleStep(40);
}

QSizeF ReportPageView::paper() const
{
    const QRectF full = m_report.pageLayout().fullRect(QPageLayout::Millimeter);
    return full.size() * unitsPerMm();
}

qreal ReportPageView::pageStep() const
{
    return paper().height() * m_zoom + Gap;
}

void ReportPageView::setFitWidth()
{
    m_fitWidth = true;
    m_fitPage = false;
    applyFit();
}

void ReportPageView::setFitPage()
{
    m_fitWidth = false;
    m_fitPage = true;
    applyFit();
}

void ReportPageView::zoomBy(qreal factor)
{
    const int page = currentPage();
    m_fitWidth = m_fitPage = false;
    m_zoom = std::clamp(m_zoom * factor, 0.01, 1.0);
    updateScrollBars();
    verticalScrollBar()->setValue(qRound(page * pageStep()));
    viewport()->update();
}

void ReportPageView::applyFit()
{
    if (!m_fitWidth && !m_fitPage)
        return;
    const int page = currentPage();
    const QSizeF sheet = paper();
    const qreal byWidth = (viewport()->width() - 2.0 * Gap) / sheet.width();
    m_zoom = std::max(0.01, m_fitWidth ? byWidth : std::min(byWidth, (viewport()->height() - 2.0 * Gap) / sheet.height()));
    updateScrollBars();
    verticalScrollBar()->setValue(qRound(page * pageStep()));
    viewport()->update();
}

void ReportPageView::updateScrollBars()
{
    const QSizeF sheet = paper() * m_zoom;
    const int height = qRound(Gap + m_report.pageCount() * pageStep());
    const int width = qRound(sheet.width() + 2 * Gap);
    verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
    // A whole page in view: Page Down turns exactly one page.
    verticalScrollBar()->setPageStep(m_fitPage ? qRound(pageStep()) : viewport()->height());
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

int ReportPageView::currentPage() const
{
    const int page = static_cast<int>((verticalScrollBar()->value() + viewport()->height() / 3) / pageStep());
    return std::clamp(page, 0, std::max(0, m_report.pageCount() - 1));
}

void ReportPageView::pagesChanged()
{
    updateScrollBars();
    // Only a sheet in view needs painting again: a new page there, or every footer once the count is known.
    const int lastInView = static_cast<int>((verticalScrollBar()->value() + viewport()->height()) / pageStep());
    if (m_report.isLaidOut() || lastInView >= m_paintedCount)
        viewport()->update();
    emit currentPageChanged();
}

void ReportPageView::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), QColor(128, 128, 128));
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QSizeF sheet = paper() * m_zoom;
    const qreal margin = (paper().width() - m_report.pageSize().width()) / 2 * m_zoom;
    const qreal left = std::max<qreal>(Gap, (viewport()->width() - sheet.width()) / 2) - horizontalScrollBar()->value();
    const qreal scrolled = verticalScrollBar()->value();
    const int pages = m_report.pageCount();
    m_paintedCount = pages;
    for (int n = std::max(0, static_cast<int>((scrolled - Gap) / pageStep())); n < pages; ++n) {
        const qreal top = Gap + n * pageStep() - scrolled;
        if (top > viewport()->height())
            break;
        const QRectF paperRect(left, top, sheet.width(), sheet.height());
        p.fillRect(paperRect.translated(3, 3), QColor(100, 100, 100));
        p.fillRect(paperRect, Qt::white);
        p.save();
        p.setClipRect(paperRect);
        p.translate(left + margin, top + margin);
        p.scale(m_zoom, m_zoom);
        m_report.paintPage(p, n);
        p.restore();
    }
}

void ReportPageView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (m_fitWidth || m_fitPage)
        applyFit();
    else
        updateScrollBars();
}

void ReportPageView::scrollContentsBy(int, int)
{
    viewport()->update();
    emit currentPageChanged();
}

// --- the window ---

frmReportPreview::frmReportPreview(ReportRenderer& report, const QString& title, QWidget* parent)
    : QDialog(parent), m_report(report)
{
    setObjectName(QStringLiteral("frmReportPreview"));
    setWindowTitle(title);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setSizeGripEnabled(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("tBarPreview"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto action = [&](const char* name, const QString& text, const QKeySequence& key, auto slot) {
        QAction* a = bar->addAction(text);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(key);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    action("actPrint", QStringLiteral("&Print..."), QKeySequence::Print, &frmReportPreview::printReport);
    action("actSavePdf", QStringLiteral("&Save as PDF..."), QKeySequence::Save, &frmReportPreview::saveAsPdf);
    bar->addSeparator();
    action("actFitWidth", QStringLiteral("Fit &width"), QKeySequence(), [this] { m_view->setFitWidth(); });
    action("actFitPage", QStringLiteral("Whole pa&ge"), QKeySequence(), [this] { m_view->setFitPage(); });
    action("actZoomIn", QStringLiteral("Zoom &in"), QKeySequence::ZoomIn, [this] { m_view->zoomBy(1.25); });
    action("actZoomOut", QStringLiteral("Zoom &out"), QKeySequence::ZoomOut, [this] { m_view->zoomBy(0.8); });
    bar->addSeparator();
    m_pages = new QLabel(bar);
    m_pages->setObjectName(QStringLiteral("lblPages"));
    m_pages->setContentsMargins(8, 0, 8, 0);
    bar->addWidget(m_pages);
    m_progress = new QProgressBar(bar);
    m_progress->setObjectName(QStringLiteral("barLayout"));
    m_progress->setMaximumWidth(220);
    m_progress->setRange(0, std::max(1, m_report.lineCount()));
    m_progress->setFormat(QStringLiteral("Laying out %p%"));
    m_progressItem = bar->addWidget(m_progress);
    bar->addSeparator();
    action("actClose", QStringLiteral("&Close"), QKeySequence(), &QDialog::reject);
    layout->addWidget(bar);

    m_view = new ReportPageView(report, this);
    layout->addWidget(m_view, 1);
    connect(m_view, &ReportPageView::currentPageChanged, this, &frmReportPreview::showCount);

    // The first page at once; the rest in short turns while the vendor reads. The timer is the
    // window's, so closing the window ends the work.
    while (m_report.pageCount() == 0 && !m_report.layOut(50)) {
    }
    m_layout = new QTimer(this);
    m_layout->setInterval(0);
    connect(m_layout, &QTimer::timeout, this, &frmReportPreview::layOutSome);
    if (!m_report.isLaidOut())
        m_layout->start();
    m_view->pagesChanged();
    showCount();
    resize(1000, 700);
}

void frmReportPreview::hideEvent(QHideEvent* event)
{
    m_layout->stop();
    QDialog::hideEvent(event);
}

void frmReportPreview::layOutSome()
{
    QElapsedTimer turn;
    turn.start();
    while (!m_report.isLaidOut() && turn.elapsed() < TurnMs)
        m_report.layOut(100);
    if (m_report.isLaidOut())
        m_layout->stop();
    m_view->pagesChanged();
    showCount();
}

void frmReportPreview::showCount()
{
    const int page = m_view->currentPage() + 1;
    if (m_report.isLaidOut()) {
        m_pages->setText(QStringLiteral("Page %1 of %2").arg(page).arg(m_report.pageCount()));
        m_progressItem->setVisible(false);
    } else {
        m_pages->setText(QStringLiteral("Page %1 of %2 so far").arg(page).arg(m_report.pageCount()));
        m_progress->setValue(m_report.linesLaidOut());
    }
}

void frmReportPreview::printReport()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    printer.setPageLayout(m_report.pageLayout());
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, m_report.isLaidOut() ? m_report.pageCount() : INT_MAX);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The template decides which way the page is turned, whatever the printer was set to last.
    printer.setPageOrientation(m_report.pageLayout().orientation());
    int from = 0, to = 0;
    if (printer.printRange() == QPrinter::PageRange) {
        from = printer.fromPage();
        to = printer.toPage();
    }
    ProgressWindow progress(this, QStringLiteral("Printing"));
    paintReport(m_report, &printer, progress.callback([&printer] { printer.abort(); }), from, to);
    m_view->pagesChanged();
    showCount();
}

void frmReportPreview::saveAsPdf()
{
    SaveFileRequest request;
    request.parent = this;
    request.title = QStringLiteral("Save as PDF");
    request.initialFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    request.initialName = windowTitle() + QStringLiteral(".pdf");
    request.filter = QStringLiteral("PDF Files (*.pdf)");
    QString path = SaveFileDialogSeam::call(request);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    PdfResult result;
    {
        ProgressWindow progress(this, QStringLiteral("Saving as PDF"));
        result = writeReportPdf(m_report, path, progress.callback());
    }
    m_view->pagesChanged();
    showCount();
    if (result == PdfResult::Failed)
        showMessage(this, QStringLiteral("Error while printing"), QStringLiteral("The file %1 could not be written.").arg(path),
                    QMessageBox::Critical);
}

void showReportPreview(const ReportPreviewRequest& request)
{
    frmReportPreview preview(*request.report, request.title, request.parent);
    preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
    preview.exec();
}
