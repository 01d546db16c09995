#pragma once

#include "output/reportrenderer.h"

#include <QAbstractScrollArea>
#include <QDialog>

class QAction;
class QLabel;
class QProgressBar;
class QTimer;
struct ReportPreviewRequest;

// The pages of a report one under the other, each painted when it comes into view; nothing of a page
// is kept once it is painted.
class ReportPageView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    ReportPageView(const ReportRenderer& report, QWidget* parent);

    // Screen pixels per layout unit.
    qreal zoom() const { return m_zoom; }
    bool fitsWidth() const { return m_fitWidth; }
    void setFitWidth();
    void setFitPage();
    void zoomBy(qreal factor);
    // The page at the top of the view (from 0).
    int currentPage() const;
    // The number of pages, or the view of the last page, may have changed.
    void pagesChanged();

signals:
    void currentPageChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QSizeF paper() const;  // the sheet with its margins, in layout units
    qreal pageStep() const;
    void updateScrollBars();
    void applyFit();

    const ReportRenderer& m_report;
    qreal m_zoom = 0.1;
    bool m_fitWidth = true;
    bool m_fitPage = false;
    int m_paintedCount = 0;  // pages there were when the view was last painted
};

// The print preview: opens maximised at the width of the window with the first page in view, lays the
// rest out in short turns between the vendor's actions (the page count grows as it goes), and stops
// when closed. Prints or saves the report as PDF with a progress window that can cancel.
class frmReportPreview : public QDialog
{
    Q_OBJECT
public:
    frmReportPreview(ReportRenderer& report, const QString& title, QWidget* parent = nullptr);

    ReportPageView* view() const { return m_view; }
    void printReport();
    void saveAsPdf();

protected:
    // Closing the window ends the work at once, not when the window is destroyed.
    void hideEvent(QHideEvent* event) override;

private:
    void layOutSome();
    void showCount();

    ReportRenderer& m_report;
    ReportPageView* m_view;
    QLabel* m_pages;
    QProgressBar* m_progress;
    QAction* m_progressItem;  // the bar's place on the toolbar
    QTimer* m_layout;
};

// The platform side of the report preview seam.
void showReportPreview(const ReportPreviewRequest& request);
