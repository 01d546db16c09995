#pragma once

#include "output/reportcontent.h"

class QPagedPaintDevice;

// Lays a report out on pages and paints them: on every page the heading lines, the title and the
// column captions at the top and "Page n of N" at the bottom; long cell texts wrap within their
// column. Works on any paged device (the preview's printer, a real printer, a PDF writer).
class ReportRenderer
{
public:
    explicit ReportRenderer(const ReportContent& content) : m_content(content) {}

    // Paints every page and returns the number of pages (0 when the device cannot be painted on).
    // With setUpPage the template's orientation and the report's margins are set on the device
    // first; without, the device's own page setup (as the vendor changed it in the preview) stands.
    int render(QPagedPaintDevice* device, bool setUpPage = true) const;

private:
    const ReportContent& m_content;
};

// The report as a PDF file; false when the file cannot be written.
bool renderReportToPdf(const ReportContent& content, const QString& pdfPath);
