#include "app/platformseams.h"

#include "output/reportpreview.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QUrl>

QString SaveFileDialogSeamTag::platform(const SaveFileRequest& request)
{
    const QString start = QDir(request.initialFolder).filePath(request.initialName);
    return QFileDialog::getSaveFileName(request.parent, request.title, start, request.filter);
}

bool DocumentOpenerSeamTag::platform(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void ReportPreviewSeamTag::platform(const ReportPreviewRequest& request)
{
    showReportPreview(request);
}
