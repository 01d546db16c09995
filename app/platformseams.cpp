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
