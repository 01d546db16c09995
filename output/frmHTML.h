#pragma once

#include <QDialog>
#include <functional>

namespace Sheets {
struct Sheet;
}
class QProgressBar;
class QStatusBar;

// The export screen: writes the Price Bid and the generics list as HTML pages.
class frmHTML : public QDialog
{
    Q_OBJECT
public:
    explicit frmHTML(QWidget* parent = nullptr);

    void done(int result) override;

private:
    static constexpr int PriceBidIndex = 5;
    enum class Outcome { Saved, VendorMissing };
    using Writer = std::function<Outcome(const QString& path)>;

    void cmdMaster_Click(int index);
    void exportPriceBid();
    void exportGenerics();
    // The shared road of both exports: the file dialog, the busy pointer, the progress bar, the
    // success message and the screen's own error box.
    void runExport(const QString& defaultFileName, const Writer& write);

    QProgressBar* m_progress = nullptr;
    QStatusBar* m_statusBar = nullptr;
};

// The save dialog's first folder: "c:\" where it exists, else the user's home folder.
QString exportInitialFolder();
// The dialog's default extension: a chosen name without an extension gets ".html".
QString withDefaultHtmlExtension(const QString& path);

// The export screen's error box: the error's number and description.
void showExportError(QWidget* parent, long number, const QString& description);
// Writes one sheet as an .xlsx workbook where the vendor chooses (the save dialog starts as the HTML
// export's), reporting success or the error as the HTML export does.
void exportWorkbook(QWidget* parent, const QString& suggestedName, const std::function<Sheets::Sheet()>& build);
