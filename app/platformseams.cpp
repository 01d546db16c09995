#include "app/platformseams.h"

#include "output/reportpreview.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
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

int ChoiceDialogSeamTag::platform(const ChoiceRequest& request)
{
    QInputDialog dialog(request.parent);
    dialog.setWindowTitle(request.title);
    dialog.setLabelText(request.label);
    dialog.setComboBoxItems(request.entries);
    dialog.setComboBoxEditable(false);
    dialog.setMinimumWidth(560);
    if (dialog.exec() != QDialog::Accepted)
        return -1;
    return static_cast<int>(request.entries.indexOf(dialog.textValue()));
}

std::optional<QByteArray> SecretEntrySeamTag::platform(const SecretRequest& request)
{
    QInputDialog dialog(request.parent);
    dialog.setWindowTitle(request.title);
    dialog.setLabelText(request.label);
    dialog.setTextEchoMode(QLineEdit::Password);
    dialog.setInputMethodHints(Qt::ImhSensitiveData | Qt::ImhNoPredictiveText);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    std::optional<QByteArray> secret;
    if (accepted)
        secret = dialog.textValue().toUtf8();
    dialog.setTextValue(QString());
    return secret;
}
