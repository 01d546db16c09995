#include "output/frmHTML.h"

#include "app/busycursor.h"
#include "app/defaultinstance.h"
#include "app/focushighlight.h"
#include "app/messagebox.h"
#include "app/platformseams.h"
#include "app/statusbar.h"
#include "db/dberror.h"
#include "output/exporterror.h"
#include "output/genericslistwriter.h"
#include "output/htmlexportfile.h"
#include "output/pricebidwriter.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

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

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* menu = new QMenuBar(this);
    QAction* back = menu->addAction(QStringLiteral("&Back"));
    back->setObjectName(QStringLiteral("mnuBack"));
    connect(back, &QAction::triggered, this, &QWidget::close);
    layout->setMenuBar(menu);

    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("tBar1"));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    QAction* backButton = toolbar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"));
    backButton->setObjectName(QStringLiteral("tBar1Button(1)"));
    connect(backButton, &QAction::triggered, this, &QWidget::close);
    layout->addWidget(toolbar);

    auto* body = new QWidget(this);
    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(16, 12, 16, 12);
    bodyLayout->setSpacing(10);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(6);
    for (int i = 0; i < 7; ++i) {
        auto* button = new QPushButton(QString::fromUtf8(Buttons[i].caption), body);
        button->setObjectName(QStringLiteral("cmdMaster(%1)").arg(i));
        button->setToolTip(QString::fromUtf8(Buttons[i].tooltip));
        button->setMinimumWidth(290);
        button->setMinimumHeight(30);
        auto* info = new QLabel(QString::fromUtf8(Buttons[i].info), body);
        info->setObjectName(QStringLiteral("lblInfo(%1)").arg(i));
        info->setMinimumWidth(290);
        attachButtonWithInfoLabel(button, info);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdMaster_Click(i); });
        grid->addWidget(button, i, 0);
        grid->addWidget(info, i, 1);
    }
    grid->setColumnStretch(1, 1);
    bodyLayout->addLayout(grid);

    const QString help[2] = {
        QStringLiteral("1. Exports data as webpage ( HTML format )"),
        QStringLiteral("2. Do not copy HTML file in CD. It is only for the purpose of printing quotation. Refer Data "
                       "Submission Manual for Copying Pharmacy Tender Database in CD for Submission to Kelmont Hospital."),
    };
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(help[i], body);
        label->setObjectName(QStringLiteral("lblHelpInfo(%1)").arg(i));
        label->setWordWrap(true);
        bodyLayout->addWidget(label);
    }

    m_progress = new QProgressBar(body);
    m_progress->setObjectName(QStringLiteral("ProgressBar"));
    m_progress->setVisible(false);
    bodyLayout->addWidget(m_progress);
    bodyLayout->addStretch();
    layout->addWidget(body, 1);

    QStatusBar* status = createStatusBar(this);
    layout->addWidget(status);
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
    case 5:
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
    BusyCursor::restoreAll();
    showMessage(this, QStringLiteral("Error"),
                QStringLiteral("Error Number : ") + QString::number(errorNumber) +
                    QStringLiteral("\r\nError Description : ") + errorDescription,
                QMessageBox::Critical);
}
