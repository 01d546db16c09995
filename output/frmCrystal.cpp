#include "output/frmCrystal.h"

#include "app/applicationstate.h"
#include "app/busycursor.h"
#include "app/defaultinstance.h"
#include "app/menuframe.h"
#include "app/messagebox.h"
#include "app/platformseams.h"
#include "db/tenderdatabase.h"
#include "output/reportrenderer.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <memory>

namespace {

const frmCrystal::Report Reports[frmCrystal::ReportCount] = {
    {"Generics", "To print/export list of generics", "CT_Generics.rpt", "List of Generics", true},
    {"Drug &Form", "To print/export list of drug forms", "CT_DrugForms.rpt", "List of Drug Forms", true},
    {"&Strength Master", "To print/export list of strengths", "CT_DrugStrengths.rpt", "List of Drug Strengths", true},
    {"Drug &Packing (Unit of Measurement)", "To print/export list of drug packings/UOM", "CT_DrugPacking.rpt",
     "List of Drug Packing", true},
    {"&Brand Master", "To print/export list of brands", "CT_Brands.rpt", "List of Brands", true},
    {"PRINT ALL &QUOTED ITEMS", "To print/export list of quoted items", "Quotation.rpt", "List of Quoted Items", false},
    {"&Close", "Return to previous screen", nullptr, nullptr, false},
    {"Quantity Required per Year by KLMT", "To print/export quantity required per year by KLMT", "CT_QtyReq.rpt",
     "Quantity Required per Year by KLMT", true},
};

// The report that is on no visible button: the hospital keeps it for its own use.
constexpr int HiddenIndex = 7;

} // namespace

const frmCrystal::Report& frmCrystal::report(int index)
{
    return Reports[index];
}

frmCrystal::frmCrystal(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCrystal"));
    setWindowTitle(QStringLiteral(" Print/Export data using Crystal"));

    MenuFrame frame(this, QStringLiteral("Print/Export data"));
    auto* mnuBack = frame.menuBar()->addAction(QStringLiteral("&Back"));
    mnuBack->setObjectName(QStringLiteral("mnuBack"));
    connect(mnuBack, &QAction::triggered, this, &frmCrystal::mnuBack_Click);
    QAction* back = frame.toolBar()->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"));
    back->setObjectName(QStringLiteral("tBar1Back"));
    connect(back, &QAction::triggered, this, &frmCrystal::mnuBack_Click);

    for (int i = 0; i < ReportCount; ++i) {
        const MenuCommand command = frame.addCommand(i, QString::fromUtf8(Reports[i].caption), QString::fromUtf8(Reports[i].info));
        connect(command.button, &QPushButton::clicked, this, [this, i] { cmdMaster_Click(i); });
        if (i == CloseIndex)
            command.button->setToolTip(QStringLiteral("Return to previous screen"));
        if (i == HiddenIndex) {
            command.button->setVisible(false);
            command.info->setVisible(false);
        }
    }
}

void frmCrystal::cmdMaster_Click(int index)
{
    if (index < 0 || index >= ReportCount)
        return;
    if (index == CloseIndex) {
        BusyCursor::restoreAll();
        close();
        return;
    }
    printReport(Reports[index]);
}

void frmCrystal::mnuBack_Click()
{
    close();
}

void frmCrystal::printReport(const Report& r)
{
    try {
        ReportContent content;
        std::unique_ptr<ReportRenderer> pages;
        {
            BusyCursor busy;
            const QDir folder(AppState::ApplicationFolder);
            CR.setDataFile(folder.filePath(QLatin1String(TenderDatabase::FileName)));
            CR.setReportFileName(folder.filePath(QString::fromUtf8(r.templateName)));
            CR.clearFormulas();
            if (r.headingFormulas) {
                const QStringList formulas = headingFormulas(AppState::CurrentOrganization, AppState::CurrentOrgAddress,
                                                             AppState::CurrentTenderDuration);
                for (int i = 0; i < formulas.size(); ++i)
                    CR.setFormula(i, formulas[i]);
            }
            CR.setWindowTitle(QString::fromUtf8(r.title));
            content = CR.prepare();
            pages = std::make_unique<ReportRenderer>(content);
        }
        // The preview is a window of its own; the pointer is back to normal while the vendor reads it.
        ReportPreviewRequest request;
        request.parent = this;
        request.title = CR.windowTitle();
        request.report = pages.get();
        ReportPreviewSeam::call(request);
    } catch (const ReportError& e) {
        BusyCursor::restoreAll();
        showMessage(this, QStringLiteral("Error while printing"), CR.lastErrorString() + QStringLiteral("\r\n") + e.description(),
                    QMessageBox::Critical);
    }
}

void frmCrystal::done(int result)
{
    QDialog::done(result);
    // Every way out (Close, Back, the close box, Escape) ends here, so the next opening starts afresh.
    if (DefaultInstance<frmCrystal>::existing() == this)
        DefaultInstance<frmCrystal>::release();
}
