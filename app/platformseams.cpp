#include "app/platformseams.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
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
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(request.title);
    QPrintPreviewDialog preview(&printer, request.parent);
    preview.setWindowTitle(request.title);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* p) { request.paint(p); });
    preview.exec();
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
