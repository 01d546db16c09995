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

QStringList OpenFilesDialogSeamTag::platform(const OpenFilesRequest& request)
{
    if (request.several)
        return QFileDialog::getOpenFileNames(request.parent, request.title, request.initialFolder, request.filter);
    const QString one = QFileDialog::getOpenFileName(request.parent, request.title, request.initialFolder, request.filter);
    return one.isEmpty() ? QStringList() : QStringList{one};
}

QString FolderDialogSeamTag::platform(const FolderRequest& request)
{
    return QFileDialog::getExistingDirectory(request.parent, request.title, request.initialFolder);
}
