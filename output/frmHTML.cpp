#include "output/frmHTML.h"

#include "app/busycursor.h"
#include "app/defaultinstance.h"
#include "app/menuframe.h"
#include "app/messagebox.h"
#include "app/platformseams.h"
#include "db/dberror.h"
#include "output/exporterror.h"
#include "output/genericslistwriter.h"
#include "output/htmlexportfile.h"
#include "output/pricebidwriter.h"
#include "sheets/workbook.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace {

struct ButtonText {
    const char* caption;
    const char* tooltip;
    const char* info;
};

constexpr ButtonText Buttons[] = {
    {"Generics", "", "To export list of generics"},
    {"Drug &Form", "", "To export list of drug forms"},
    {"&Strength Master", "", "To export list of strengths"},
    {"Drug &Packing (Unit of Measurement)", "", "To export list of drug packings/UOM"},
    {"&Brand Master", "", "To export list of brands"},
    {"EXPORT ALL &QUOTED ITEMS", "Export all quoted items as web page", "Export list of quoted items as webpage"},
    {"&Close", "Return to Previous Screen", "Return to Previous Screen"},
};

// Drives the screen's progress bar from the writers' progress reports.
class ProgressBarReport : public ExportProgress
{
public:
    explicit ProgressBarReport(QProgressBar* bar) : m_bar(bar) {}
    void start(int maximum) override
    {
        m_bar->setMinimum(0);
        // An empty range would turn the bar into a busy indicator; an empty list shows an empty bar.
        m_bar->setMaximum(qMax(maximum, 1));
        m_bar->setValue(0);
        m_bar->setVisible(true);
        m_step = qMax(1, maximum / 100);
        m_bar->repaint();
    }
    void advance() override
    {
        m_bar->setValue(m_bar->value() + 1);
        if (m_bar->value() % m_step == 0)
            m_bar->repaint();
    }

private:
    QProgressBar* m_bar;
    int m_step = 1;
};

} // namespace

QString exportInitialFolder()
{
    const QString drive = QStringLiteral("c:\\");
    return QDir(drive).exists() ? drive : QDir::homePath();
}

QString withDefaultHtmlExtension(const QString& path)
{
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".html") : path;
}

frmHTML::frmHTML(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmHTML"));
    setWindowTitle(QStringLiteral(" Export to HTML"));

    MenuFrame frame(this, QString());
    QAction* back = frame.menuBar()->addAction(QStringLiteral("&Back"));
    back->setObjectName(QStringLiteral("mnuBack"));
    connect(back, &QAction::triggered, this, &QWidget::close);
    QAction* backButton = frame.toolBar()->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"));
    backButton->setObjectName(QStringLiteral("tBar1Button(1)"));
    connect(backButton, &QAction::triggered, this, &QWidget::close);

    for (int i = 0; i < 7; ++i) {
        const MenuCommand command = frame.addCommand(i, QString::fromUtf8(Buttons[i].caption), QString::fromUtf8(Buttons[i].info));
        command.button->setToolTip(QString::fromUtf8(Buttons[i].tooltip));
        connect(command.button, &QPushButton::clicked, this, [this, i] { cmdMaster_Click(i); });
        // The Price Bid is what the vendor comes here for.
        if (i == PriceBidIndex)
            command.button->setFocus();
    }
    m_statusBar = frame.statusBar();

    const QString help[2] = {
        QStringLiteral("1. Exports data as webpage ( HTML format )"),
        QStringLiteral("2. Do not copy HTML file in CD. It is only for the purpose of printing quotation. Refer Data "
                       "Submission Manual for Copying Pharmacy Tender Database in CD for Submission to Kelmont Hospital."),
    };
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(help[i], this);
        label->setObjectName(QStringLiteral("lblHelpInfo(%1)").arg(i));
        label->setWordWrap(true);
        frame.addBelow(label);
    }

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar"));
    m_progress->setVisible(false);
    frame.addBelow(m_progress);
    resize(660, 470);
}

void frmHTML::done(int result)
{
    QDialog::done(result);
    DefaultInstance<frmHTML>::release();
}

void frmHTML::cmdMaster_Click(int index)
{
    switch (index) {
    case 0:
        exportGenerics();
        break;
    case PriceBidIndex:
        exportPriceBid();
        break;
    case 6:
        close();
        break;
    default:
        // The other reference lists have no page of their own.
        break;
    }
}

void frmHTML::exportPriceBid()
{
    runExport(QStringLiteral("Price Bid of Pharmacy Items.html"), [this](const QString& path) {
        ProgressBarReport progress(m_progress);
        return PriceBidWriter::write(path, &progress) == PriceBidWriter::Result::Saved ? Outcome::Saved
                                                                                      : Outcome::VendorMissing;
    });
}

void frmHTML::exportGenerics()
{
    runExport(QStringLiteral("Generics.html"), [this](const QString& path) {
        ProgressBarReport progress(m_progress);
        GenericsListWriter::write(path, &progress);
        return Outcome::Saved;
    });
}

void frmHTML::runExport(const QString& defaultFileName, const Writer& write)
{
    long errorNumber = 0;
    QString errorDescription;
    try {
        SaveFileRequest request;
        request.parent = this;
        request.title = QStringLiteral("Export to Html format");
        request.initialFolder = exportInitialFolder();
        request.initialName = defaultFileName;
        // Webpages first, so that the dialog starts on that entry.
        request.filter = QStringLiteral("Webpage (*.html);;All Files(*.*)");
        const QString chosen = SaveFileDialogSeam::call(request);
        if (chosen.isEmpty())
            throw ExportError(ExportErrorNumber::Cancelled, QStringLiteral("Cancel was selected."));
        if (QFileInfo(chosen).fileName().trimmed().isEmpty()) {
            showMessage(this, QStringLiteral("Export aborted"),
                        QStringLiteral("EXPORT ABORTED\r\nPlease enter a valid file name"), QMessageBox::Critical);
            return;
        }
        const QString path = QDir::toNativeSeparators(QFileInfo(withDefaultHtmlExtension(chosen)).absoluteFilePath());

        Outcome outcome;
        {
            BusyCursor busy;
            outcome = write(path);
            m_progress->setVisible(false);
        }
        if (outcome == Outcome::VendorMissing) {
            showInfo(this, QStringLiteral("Vendor details are missing"));
            return;
        }
        m_statusBar->showMessage(QStringLiteral("Saved at ") + path);
        showMessage(this, QStringLiteral("Exported Successfully"),
                    QStringLiteral("Webpage saved at following path\r\n\r\n") + path, QMessageBox::Information);
        return;
    } catch (const ExportError& e) {
        errorNumber = e.number();
        errorDescription = e.description();
    } catch (const DbError& e) {
        errorNumber = e.number();
        errorDescription = e.description();
    }
    m_progress->setVisible(false);
    showExportError(this, errorNumber, errorDescription);
}

void showExportError(QWidget* parent, long number, const QString& description)
{
    BusyCursor::restoreAll();
    showMessage(parent, QStringLiteral("Error"),
                QStringLiteral("Error Number : ") + QString::number(number) +
                    QStringLiteral("\r\nError Description : ") + description,
                QMessageBox::Critical);
}

void exportWorkbook(QWidget* parent, const QString& suggestedName, const std::function<Sheets::Sheet()>& build)
{
    try {
        SaveFileRequest request;
        request.parent = parent;
        request.title = QStringLiteral("Export to Excel format");
        request.initialFolder = exportInitialFolder();
        request.initialName = suggestedName;
        request.filter = QStringLiteral("Excel Workbook (*.xlsx);;All Files(*.*)");
        const QString chosen = SaveFileDialogSeam::call(request);
        if (chosen.isEmpty())
            throw ExportError(ExportErrorNumber::Cancelled, QStringLiteral("Cancel was selected."));
        if (QFileInfo(chosen).fileName().trimmed().isEmpty()) {
            showMessage(parent, QStringLiteral("Export aborted"),
                        QStringLiteral("EXPORT ABORTED\r\nPlease enter a valid file name"), QMessageBox::Critical);
            return;
        }
        const QString name = QFileInfo(chosen).suffix().isEmpty() ? chosen + QStringLiteral(".xlsx") : chosen;
        const QString path = QDir::toNativeSeparators(QFileInfo(name).absoluteFilePath());
        {
            BusyCursor busy;
            Sheets::writeXlsx(path, {build()});
        }
        showMessage(parent, QStringLiteral("Exported Successfully"),
                    QStringLiteral("Workbook saved at following path\r\n\r\n") + path, QMessageBox::Information);
    } catch (const ExportError& e) {
        showExportError(parent, e.number(), e.description());
    } catch (const DbError& e) {
        showExportError(parent, e.number(), e.description());
    }
}
