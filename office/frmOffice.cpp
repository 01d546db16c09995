#include "office/frmOffice.h"

#include "app/busycursor.h"
#include "app/messagebox.h"
#include "app/platformseams.h"
#include "app/screenheading.h"
#include "app/statusbar.h"
#include "office/statementtable.h"
#include "output/exporterror.h"
#include "output/reportrenderer.h"
#include "tender/statementexport.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentMap>

namespace {

const QString TenderFilter = QStringLiteral("Tender Files (*.klmt);;All Files (*)");
const QString NoFile = QStringLiteral("(none chosen)");

// The statement's columns: what the committee decides on first, the rest to the right. Each takes
// the field of statementFields (16 being the alternatives) named in StatementField.
const QStringList StatementHeader{"LINE", "GENERIC", "STRENGTH", "FORM", "QTY/YEAR", "RANK", "TIE", "VENDOR",
                                  "UNIT COST", "YEARLY VALUE", "BRAND", "PACKING", "UNITS/PACK", "UNIT MRP",
                                  "MANUFACTURER", "PACK (LINE)", "ALTERNATIVES"};
const int StatementField[] = {0, 1, 2, 3, 5, 6, 7, 8, 13, 15, 9, 11, 12, 14, 10, 4, 16};
const std::vector<bool> StatementNumeric{true, false, false, false, true, false, false, false, true,
                                         true, false, false, true, true, false, false, false};
constexpr int GenericColumn = 1;

QPushButton* button(const QString& caption, const QString& name, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setMinimumHeight(30);
    return b;
}

} // namespace

frmOffice::frmOffice(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmOffice"));
    setWindowTitle(QStringLiteral("Comparative Statement"));
    setAttribute(Qt::WA_QuitOnClose, true);
    buildLayout();
    setStatusBar(createStatusBar(this));
    // Wide enough for the figures the committee reads first, within the screen.
    const QRect available = screen()->availableGeometry();
    resize(std::min(1300, available.width() * 19 / 20), std::min(760, available.height() * 9 / 10));
    connect(&m_watcher, &QFutureWatcher<Tender::ReturnedFile>::progressRangeChanged, m_progress, &QProgressBar::setRange);
    connect(&m_watcher, &QFutureWatcher<Tender::ReturnedFile>::progressValueChanged, m_progress, &QProgressBar::setValue);
    connect(&m_watcher, &QFutureWatcher<Tender::ReturnedFile>::finished, this, &frmOffice::filesRead);
    updateButtons();
}

frmOffice::~frmOffice()
{
    // The workers read the tender this window holds.
    m_watcher.cancel();
    m_watcher.waitForFinished();
}

void frmOffice::buildLayout()
{
    auto* central = new QWidget(this);
    auto* page = new QVBoxLayout(central);
    page->setContentsMargins(16, 12, 16, 8);
    page->setSpacing(6);

    auto* headingRow = new QHBoxLayout;
    headingRow->addWidget(createScreenHeading(QStringLiteral("Comparative Statement"), QStringLiteral("lblHeading"), central));
    headingRow->addStretch();
    m_lblTender = new QLabel(central);
    m_lblTender->setObjectName(QStringLiteral("lblTender"));
    QFont title(QStringLiteral("Arial"));
    title.setPointSize(14);
    title.setBold(true);
    m_lblTender->setFont(title);
    QPalette titlePalette = m_lblTender->palette();
    titlePalette.setColor(QPalette::WindowText, QColor(0, 51, 128));
    m_lblTender->setPalette(titlePalette);
    m_lblTender->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    headingRow->addWidget(m_lblTender);
    page->addLayout(headingRow);

    auto* rule = new QFrame(central);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    page->addWidget(rule);

    auto* choices = new QGridLayout;
    choices->setHorizontalSpacing(8);
    m_cmdTenderFile = button(QStringLiteral("&Tender File..."), QStringLiteral("cmdTenderFile"), central);
    m_lblTenderFile = new QLabel(NoFile, central);
    m_lblTenderFile->setObjectName(QStringLiteral("lblTenderFile"));
    m_lblTenderFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_cmdReturnedFiles = button(QStringLiteral("&Returned Files..."), QStringLiteral("cmdReturnedFiles"), central);
    m_cmdReturnedFolder = button(QStringLiteral("Returned F&older..."), QStringLiteral("cmdReturnedFolder"), central);
    m_lblReturnedFiles = new QLabel(NoFile, central);
    m_lblReturnedFiles->setObjectName(QStringLiteral("lblReturnedFiles"));
    choices->addWidget(m_cmdTenderFile, 0, 0);
    choices->addWidget(m_lblTenderFile, 0, 1, 1, 3);
    choices->addWidget(m_cmdReturnedFiles, 1, 0);
    choices->addWidget(m_cmdReturnedFolder, 1, 1);
    choices->addWidget(m_lblReturnedFiles, 1, 2);
    m_progress = new QProgressBar(central);
    m_progress->setObjectName(QStringLiteral("pbOpening"));
    m_progress->setFormat(QStringLiteral("Opening %v of %m files"));
    m_progress->setVisible(false);
    choices->addWidget(m_progress, 1, 3);
    choices->setColumnStretch(2, 1);
    choices->setColumnStretch(3, 1);
    page->addLayout(choices);

    m_lblSummary = new QLabel(central);
    m_lblSummary->setObjectName(QStringLiteral("lblSummary"));
    QFont bold = m_lblSummary->font();
    bold.setBold(true);
    m_lblSummary->setFont(bold);
    page->addWidget(m_lblSummary);

    m_tabs = new QTabWidget(central);
    m_tabs->setObjectName(QStringLiteral("tabLists"));

    auto* statementPage = new QWidget(m_tabs);
    auto* statementLayout = new QVBoxLayout(statementPage);
    auto* filterRow = new QHBoxLayout;
    auto* filterLabel = new QLabel(QStringLiteral("&Generic contains:"), statementPage);
    m_txtFilter = new QLineEdit(statementPage);
    m_txtFilter->setObjectName(QStringLiteral("txtFilter"));
    m_txtFilter->setPlaceholderText(QStringLiteral("words of the generic name"));
    m_txtFilter->setClearButtonEnabled(true);
    filterLabel->setBuddy(m_txtFilter);
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(m_txtFilter, 1);
    filterRow->addStretch(2);
    statementLayout->addLayout(filterRow);
    m_statement = new StatementTable(StatementHeader, StatementNumeric, this);
    m_statementFilter = new StatementFilter(m_statement, GenericColumn, this);
    statementLayout->addWidget(createList(QStringLiteral("lvStatement"), m_statement, m_statementFilter));
    connect(m_txtFilter, &QLineEdit::textChanged, m_statementFilter, &StatementFilter::setWords);
    m_tabs->addTab(statementPage, QStringLiteral("&Statement"));

    auto* suppliersPage = new QWidget(m_tabs);
    auto* suppliersLayout = new QVBoxLayout(suppliersPage);
    m_suppliers = new StatementTable({"VENDOR", "LINES OFFERED", "LINES AT L1", "YEARLY VALUE"}, {false, true, true, true}, this);
    suppliersLayout->addWidget(createList(QStringLiteral("lvSuppliers"), m_suppliers, new StatementFilter(m_suppliers, -1, this)));
    m_lblL1Total = new QLabel(suppliersPage);
    m_lblL1Total->setObjectName(QStringLiteral("lblL1Total"));
    m_lblL1Total->setFont(bold);
    suppliersLayout->addWidget(m_lblL1Total);
    m_tabs->addTab(suppliersPage, QStringLiteral("S&uppliers"));

    m_findings = new StatementTable({"VENDOR", "ITEM", "FINDING"}, {}, this);
    m_tabs->addTab(createList(QStringLiteral("lvFindings"), m_findings, new StatementFilter(m_findings, -1, this)),
                   QStringLiteral("F&indings"));
    m_files = new StatementTable({"FILE", "VENDOR", "STATUS", "REASON", "QUOTED ITEMS", "BID DIGEST", "SIGNED BY", "SIGNATURE"},
                                 {false, false, false, false, true, false, false, false}, this);
    m_tabs->addTab(createList(QStringLiteral("lvFiles"), m_files, new StatementFilter(m_files, -1, this)), QStringLiteral("Fi&les"));
    page->addWidget(m_tabs, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_cmdPreview = button(QStringLiteral("&Print Preview..."), QStringLiteral("cmdPreview"), central);
    m_cmdExport = button(QStringLiteral("&Export..."), QStringLiteral("cmdExport"), central);
    auto* cmdClose = button(QStringLiteral("&Close"), QStringLiteral("cmdClose"), central);
    for (QPushButton* b : {m_cmdPreview, m_cmdExport, cmdClose}) {
        b->setMinimumWidth(130);
        buttons->addWidget(b);
    }
    page->addLayout(buttons);
    setCentralWidget(central);

    connect(m_cmdTenderFile, &QPushButton::clicked, this, &frmOffice::cmdTenderFile_Click);
    connect(m_cmdReturnedFiles, &QPushButton::clicked, this, &frmOffice::cmdReturnedFiles_Click);
    connect(m_cmdReturnedFolder, &QPushButton::clicked, this, &frmOffice::cmdReturnedFolder_Click);
    connect(m_cmdExport, &QPushButton::clicked, this, &frmOffice::cmdExport_Click);
    connect(m_cmdPreview, &QPushButton::clicked, this, &frmOffice::cmdPreview_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
}

QTreeView* frmOffice::createList(const QString& name, StatementTable* table, StatementFilter* filter)
{
    auto* view = new QTreeView(this);
    view->setObjectName(name);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setAlternatingRowColors(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setModel(filter);
    view->setSortingEnabled(true);
    view->sortByColumn(-1, Qt::AscendingOrder);  // the order the statement gives until a header is clicked
    view->header()->setSectionsMovable(false);
    // A last column of figures keeps its width beside the others instead of running to the far edge.
    view->header()->setStretchLastSection(!table->isNumeric(table->columnCount() - 1));
    return view;
}

bool frmOffice::busy() const
{
    return m_watcher.isRunning();
}

void frmOffice::updateButtons()
{
    const bool running = busy();
    m_cmdTenderFile->setEnabled(!running);
    m_cmdReturnedFiles->setEnabled(!running);
    m_cmdReturnedFolder->setEnabled(!running);
    const bool haveStatement = !running && m_comparison.acceptedFiles() > 0;
    m_cmdExport->setEnabled(haveStatement);
    m_cmdPreview->setEnabled(haveStatement);
}

void frmOffice::cmdTenderFile_Click()
{
    const QStringList chosen = OpenFilesDialogSeam::call(
        {this, QStringLiteral("Choose the Tender File"), m_lastFolder, TenderFilter, false});
    if (chosen.isEmpty())
        return;
    m_tenderFile = chosen.front();
    m_lastFolder = QFileInfo(m_tenderFile).absolutePath();
    m_tender.reset();
    startComparing();
}

void frmOffice::cmdReturnedFiles_Click()
{
    const QStringList chosen = OpenFilesDialogSeam::call(
        {this, QStringLiteral("Choose the Returned Files"), m_lastFolder, TenderFilter, true});
    if (chosen.isEmpty())
        return;
    m_returnedFiles = chosen;
    m_lastFolder = QFileInfo(chosen.front()).absolutePath();
    startComparing();
}

void frmOffice::cmdReturnedFolder_Click()
{
    const QString folder = FolderDialogSeam::call({this, QStringLiteral("Choose the Folder of Returned Files"), m_lastFolder});
    if (folder.isEmpty())
        return;
    const QDir dir(folder);
    QStringList files;
    for (const QString& name : dir.entryList({QStringLiteral("*.klmt")}, QDir::Files, QDir::Name))
        files << dir.filePath(name);
    m_lastFolder = folder;
    if (files.isEmpty()) {
        showInfo(this, QStringLiteral("There are no tender files (*.klmt) in %1.").arg(QDir::toNativeSeparators(folder)));
        return;
    }
    m_returnedFiles = files;
    startComparing();
}

void frmOffice::compareFiles(const QString& tenderFile, const QStringList& returnedFiles)
{
    if (tenderFile != m_tenderFile)
        m_tender.reset();
    m_tenderFile = tenderFile;
    m_returnedFiles = returnedFiles;
    startComparing();
}

void frmOffice::startComparing()
{
    if (busy())
        return;
    m_lblTenderFile->setText(m_tenderFile.isEmpty() ? NoFile : QDir::toNativeSeparators(QFileInfo(m_tenderFile).absoluteFilePath()));
    m_lblReturnedFiles->setText(m_returnedFiles.isEmpty() ? NoFile
                                                          : QStringLiteral("%1 file(s) chosen").arg(m_returnedFiles.size()));
    if (!m_tender && !m_tenderFile.isEmpty()) {
        try {
            BusyCursor busyCursor;
            m_tender = std::make_unique<Tender::HospitalTender>(Tender::readHospitalTender(m_tenderFile));
        } catch (const Tender::TenderFileError& e) {
            m_lblTender->clear();
            showMessage(this, QStringLiteral("Error"), e.description(), QMessageBox::Warning);
            m_tenderFile.clear();
            m_lblTenderFile->setText(NoFile);
            return;
        }
        m_lblTender->setText(m_tender->identity.organisation + QStringLiteral(" · ") + m_tender->identity.duration);
    }
    if (!m_tender || m_returnedFiles.isEmpty())
        return;
    m_progress->setRange(0, static_cast<int>(m_returnedFiles.size()));
    m_progress->setValue(0);
    m_progress->setVisible(true);
    m_lblSummary->setText(QStringLiteral("Opening the returned files..."));
    const Tender::HospitalTender* tender = m_tender.get();
    // Deriving each file's key takes a fifth of a second by design: every core opens files of its own.
    m_watcher.setFuture(QtConcurrent::mapped(m_returnedFiles, [tender](const QString& path) {
        return Tender::readReturnedFile(path, *tender);
    }));
    updateButtons();
}

void frmOffice::filesRead()
{
    m_progress->setVisible(false);
    const QList<Tender::ReturnedFile> results = m_watcher.future().results();
    {
        BusyCursor busyCursor;
        m_comparison = Tender::compare(*m_tender, std::vector<Tender::ReturnedFile>(results.begin(), results.end()));
        showComparison();
    }
    updateButtons();
    if (m_comparison.acceptedFiles() == 0)
        showInfo(this, QStringLiteral("None of the returned files could be compared. The Files list says why."));
    emit comparisonFinished();
}

void frmOffice::showComparison()
{
    std::vector<QStringList> rows;
    std::vector<bool> l1;
    rows.reserve(m_comparison.rows.size());
    l1.reserve(m_comparison.rows.size());
    for (const Tender::StatementRow& row : m_comparison.rows) {
        const QStringList fields = Tender::statementFields(row) << row.alternatives.join(QStringLiteral("; "));
        QStringList shown;
        shown.reserve(fields.size());
        for (int field : StatementField)
            shown << fields[field];
        rows.push_back(std::move(shown));
        l1.push_back(row.rank == 1);
    }
    m_statement->setRows(std::move(rows), std::move(l1));

    std::vector<QStringList> suppliers;
    for (const Tender::SupplierSummary& s : m_comparison.suppliers)
        suppliers.push_back({s.vendor, QString::number(s.linesOffered), QString::number(s.linesAtL1), s.yearlyValue.toFixed(2)});
    m_suppliers->setRows(std::move(suppliers));
    m_lblL1Total->setText(QStringLiteral("L1 total (the cheapest mix): %1").arg(m_comparison.l1Total.toFixed(2)));

    std::vector<QStringList> findings;
    for (const Tender::Finding& f : m_comparison.findings)
        findings.push_back({f.vendor, f.item, f.text});
    m_findings->setRows(std::move(findings));

    std::vector<QStringList> files;
    for (const Tender::ReturnedFile& f : m_comparison.files)
        files.push_back({f.fileName(), f.vendor, f.accepted ? QStringLiteral("Accepted") : QStringLiteral("Refused"), f.refusal,
                         f.quotedItems >= 0 ? QString::number(f.quotedItems) : QString(), f.digest, f.signedBy(),
                         f.signatureText()});
    m_files->setRows(std::move(files));

    m_lblSummary->setText(QStringLiteral("Compared %1 of %2 files · %3 lines · %4 findings")
                              .arg(m_comparison.acceptedFiles())
                              .arg(m_comparison.files.size())
                              .arg(m_comparison.lines.size())
                              .arg(m_comparison.findings.size()));
    for (const QString& name : {QStringLiteral("lvStatement"), QStringLiteral("lvSuppliers"), QStringLiteral("lvFindings"),
                                QStringLiteral("lvFiles")}) {
        auto* view = findChild<QTreeView*>(name);
        const int sized = view->model()->columnCount() - (view->header()->stretchLastSection() ? 1 : 0);
        for (int c = 0; c < sized; ++c) {
            view->resizeColumnToContents(c);
            view->setColumnWidth(c, std::min(view->columnWidth(c), c == GenericColumn ? 260 : 170));
        }
    }
}

void frmOffice::cmdExport_Click()
{
    QString path = SaveFileDialogSeam::call(
        {this, QStringLiteral("Export Comparative Statement"), m_lastFolder, QStringLiteral("Comparative Statement.xlsx"),
         QStringLiteral("Excel Workbook (*.xlsx);;CSV (*.csv);;Web Page (*.html);;PDF (*.pdf)")});
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".xlsx");
    try {
        BusyCursor busyCursor;
        if (!Tender::writeStatement(m_comparison, path)) {
            showInfo(this, QStringLiteral("The statement can be exported as .xlsx, .csv, .html or .pdf."));
            return;
        }
    } catch (const ExportError& e) {
        showMessage(this, QStringLiteral("Error"), e.description(), QMessageBox::Warning);
        return;
    }
    showMessage(this, QStringLiteral("Exported Successfully"),
                QStringLiteral("Statement saved at following path\r\n\r\n") + QDir::toNativeSeparators(path),
                QMessageBox::Information);
}

void frmOffice::cmdPreview_Click()
{
    const ReportContent content = Tender::statementReport(m_comparison);
    ReportRenderer report(content);
    ReportPreviewSeam::call({this, QStringLiteral("Comparative Statement"), &report});
}
