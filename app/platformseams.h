#pragma once

#include "app/seam.h"

#include <QString>
#include <QStringList>
#include <QByteArray>
#include <functional>
#include <optional>

class QWidget;
class ReportRenderer;

// The save-file dialog. Returns the chosen path, or an empty text when the vendor cancels.
struct SaveFileRequest {
    QWidget* parent = nullptr;
    QString title;
    QString initialFolder;
    QString initialName;
    QString filter;  // e.g. "Html Files (*.html)"
};
struct SaveFileDialogSeamTag {
    static QString platform(const SaveFileRequest& request);
};
using SaveFileDialogSeam = Seam<SaveFileDialogSeamTag, QString(const SaveFileRequest&)>;

// Opening a document in the system's viewer. Returns false when nothing could open it.
struct DocumentOpenerSeamTag {
    static bool platform(const QString& path);
};
using DocumentOpenerSeam = Seam<DocumentOpenerSeamTag, bool(const QString&)>;

// The print preview of a report: the title of the preview window and the report, whose pages the
// preview lays out as it goes and paints as they are shown; from it the vendor prints the report or
// saves it as PDF. Returns when the preview is closed.
struct ReportPreviewRequest {
    QWidget* parent = nullptr;
    QString title;
    ReportRenderer* report = nullptr;
};
struct ReportPreviewSeamTag {
    static void platform(const ReportPreviewRequest& request);
};
using ReportPreviewSeam = Seam<ReportPreviewSeamTag, void(const ReportPreviewRequest&)>;

// The open-file dialog for one or several files. Returns the chosen paths, empty when cancelled.
struct OpenFilesRequest {
    QWidget* parent = nullptr;
    QString title;
    QString initialFolder;
    QString filter;  // e.g. "Tender Files (*.klmt)"
    bool several = false;
};
struct OpenFilesDialogSeamTag {
    static QStringList platform(const OpenFilesRequest& request);
};
using OpenFilesDialogSeam = Seam<OpenFilesDialogSeamTag, QStringList(const OpenFilesRequest&)>;

// The choose-a-folder dialog. Returns the folder, or an empty text when cancelled.
struct FolderRequest {
    QWidget* parent = nullptr;
    QString title;
    QString initialFolder;
};
struct FolderDialogSeamTag {
    static QString platform(const FolderRequest& request);
};
using FolderDialogSeam = Seam<FolderDialogSeamTag, QString(const FolderRequest&)>;

// Choosing one entry of a list (the certificate to sign with). Returns its index, or -1 when cancelled.
struct ChoiceRequest {
    QWidget* parent = nullptr;
    QString title;
    QString label;
    QStringList entries;
};
struct ChoiceDialogSeamTag {
    static int platform(const ChoiceRequest& request);
};
using ChoiceDialogSeam = Seam<ChoiceDialogSeamTag, int(const ChoiceRequest&)>;

// Asking for a secret (a token's PIN) in a masked box. Returns it as UTF-8, or nothing when cancelled;
// the box's own copy is cleared before this returns.
struct SecretRequest {
    QWidget* parent = nullptr;
    QString title;
    QString label;
};
struct SecretEntrySeamTag {
    static std::optional<QByteArray> platform(const SecretRequest& request);
};
using SecretEntrySeam = Seam<SecretEntrySeamTag, std::optional<QByteArray>(const SecretRequest&)>;
