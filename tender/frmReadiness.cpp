#include "tender/frmReadiness.h"

#include "app/applicationstate.h"
#include "app/busycursor.h"
#include "app/defaultinstance.h"
#include "app/focushighlight.h"
#include "app/menuframe.h"
#include "app/messagebox.h"
#include "app/platformseams.h"
#include "app/screens.h"
#include "db/dberror.h"
#include "db/keyedfile.h"
#include "output/exporterror.h"
#include "tender/submission.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace {

const QString CRLF = QStringLiteral("\r\n");

QTreeWidget* makeList(QWidget* parent, const QString& name, const QStringList& header)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setAlternatingRowColors(true);
    list->setHeaderLabels(header);
    list->header()->setStretchLastSection(true);
    return list;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setMinimumWidth(110);
    attachButtonHighlight(button);
    return button;
}

sqlite3* liveFile()
{
    return TenderDatabase::connection(AppState::ConnectionString);
}

} // namespace

frmReadiness::frmReadiness(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmReadiness"));
    setWindowTitle(QStringLiteral("Bid Readiness"));
    MenuFrame frame(this, QStringLiteral("Bid Readiness"));

    chkUnquoted = new QCheckBox(QStringLiteral("Show only &unquoted lines"), this);
    chkUnquoted->setObjectName(QStringLiteral("chkUnquoted"));
    connect(chkUnquoted, &QCheckBox::toggled, this, &frmReadiness::showLines);
    frame.addBelow(chkUnquoted);

    lvLines = makeList(this, QStringLiteral("lvLines"),
                       {QStringLiteral("LINE"), QStringLiteral("GENERIC"), QStringLiteral("STRENGTH"), QStringLiteral("FORM"),
                        QStringLiteral("QTY/YEAR"), QStringLiteral("QUOTED"), QStringLiteral("BRAND"),
                        QStringLiteral("UNIT COST"), QStringLiteral("YEARLY VALUE")});
    lvLines->setColumnWidth(1, 220);
    lvLines->setColumnWidth(6, 220);
    for (int c : {0, 4, 7, 8})
        lvLines->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    connect(lvLines, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* line) { lvLines_DblClick(line); });
    frame.addBelow(lvLines, 3);

    lblTotals = new QLabel(this);
    lblTotals->setObjectName(QStringLiteral("lblTotals"));
    QFont bold = lblTotals->font();
    bold.setBold(true);
    lblTotals->setFont(bold);
    frame.addBelow(lblTotals);

    lvFindings = makeList(this, QStringLiteral("lvFindings"), {QStringLiteral("ITEM"), QStringLiteral("PROBLEM")});
    lvFindings->setColumnWidth(0, 300);
    frame.addBelow(lvFindings, 2);

    auto* buttons = new QHBoxLayout;
    QPushButton* submit = makeButton(this, QStringLiteral("cmdSubmit"), QStringLiteral("&Prepare Submission Copy"));
    QPushButton* exportButton = makeButton(this, QStringLiteral("cmdExport"), QStringLiteral("&Export"));
    QPushButton* close = makeButton(this, QStringLiteral("cmdClose"), QStringLiteral("&Close"));
    connect(submit, &QPushButton::clicked, this, &frmReadiness::cmdSubmit);
    connect(exportButton, &QPushButton::clicked, this, &frmReadiness::cmdExport);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    chkSign = new QCheckBox(QStringLiteral("&Sign with my digital signature certificate"), this);
    chkSign->setObjectName(QStringLiteral("chkSign"));
    buttons->addWidget(submit);
    buttons->addWidget(chkSign);
    buttons->addWidget(exportButton);
    buttons->addStretch();
    buttons->addWidget(close);
    frame.addBelow(buttons);
    resize(1000, 650);
    Form_Load();
}

void frmReadiness::Form_Load()
{
    try {
        BusyCursor busy;
        m_readiness = Tender::readReadiness(KeyedFile(liveFile()));
    } catch (const DbError& e) {
        ShowDbError(e, this);
    }
    showLines();
    lblTotals->setText(Tender::totalsText(m_readiness));
    lvFindings->clear();
    for (const Tender::ReadinessFinding& f : m_readiness.findings)
        new QTreeWidgetItem(lvFindings, {f.item, f.problem});
    if (m_readiness.findings.empty())
        new QTreeWidgetItem(lvFindings, {QStringLiteral("No findings")});
}

void frmReadiness::showLines()
{
    lvLines->clear();
    for (const Tender::LineCoverage& c : m_readiness.lines) {
        if (c.quoted() && chkUnquoted->isChecked())
            continue;
        auto* line = new QTreeWidgetItem(lvLines,
                                         {QString::number(c.line.id), c.line.generic, c.line.strength, c.line.drugForm,
                                          c.line.qtyPerYear.toText(), c.quoted() ? QStringLiteral("Yes") : QStringLiteral("No"),
                                          c.best ? c.best->brand : QString(),
                                          c.unitCost ? c.unitCost->toFixed(4) : QString(),
                                          c.unitCost ? c.yearlyValue.toFixed(2) : QString()});
        for (int col : {0, 4, 7, 8})
            line->setTextAlignment(col, Qt::AlignRight | Qt::AlignVCenter);
        line->setData(0, TagRole, c.best ? c.best->id : 0);
    }
}

void frmReadiness::lvLines_DblClick(QTreeWidgetItem* line)
{
    const qlonglong id = line ? line->data(0, TagRole).toLongLong() : 0;
    if (id == 0)
        return;
    // The opener starts the wizard once this screen is gone, as the quoted-items list does.
    AppState::QuotationEditMode = true;
    AppState::QuotationEditKey = id;
    AppState::WizardFromMainMenu = false;
    accept();
}

void frmReadiness::cmdExport()
{
    QString path = SaveFileDialogSeam::call({this, QStringLiteral("Export Bid Readiness"), AppState::ApplicationFolder,
                                             QStringLiteral("Bid Readiness.xlsx"), QStringLiteral("Excel Workbook (*.xlsx)")});
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".xlsx");
    try {
        BusyCursor busy;
        Sheets::writeXlsx(path, Tender::readinessSheets(m_readiness));
    } catch (const ExportError& e) {
        showMessage(this, QStringLiteral("Error"), e.description(), QMessageBox::Warning);
        return;
    }
    showMessage(this, QStringLiteral("Exported Successfully"),
                QStringLiteral("Bid readiness saved at following path") + CRLF + CRLF + QDir::toNativeSeparators(path),
                QMessageBox::Information);
}

void frmReadiness::cmdSubmit()
{
    try {
        std::optional<BusyCursor> busy(std::in_place);
        const QString blocker = Tender::submissionBlocker(liveFile());
        busy.reset();
        if (!blocker.isEmpty()) {
            showInfo(this, blocker);
            return;
        }
    } catch (const DbError& e) {
        ShowDbError(e, this);
        return;
    }
    QString path = SaveFileDialogSeam::call({this, QStringLiteral("Save Submission Copy"), AppState::ApplicationFolder,
                                             Tender::submissionCopyName(AppState::CurrentVendorName),
                                             QStringLiteral("Tender Files (*.klmt)")});
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".klmt");
    Tender::SubmissionResult result;
    try {
        BusyCursor busy;
        result = Tender::writeSubmissionCopy(liveFile(), path, QDateTime::currentDateTime());
    } catch (const Tender::SubmissionError& e) {
        showMessage(this, QStringLiteral("Error"),
                    QStringLiteral("The submission copy was not saved.") + CRLF + CRLF + e.description(),
                    QMessageBox::Critical);
        return;
    } catch (const DbError& e) {
        ShowDbError(e, this);
        return;
    }
    const QString signature = chkSign->isChecked() ? signCopy(result) : QString();
    showInfo(this, QStringLiteral("Submission copy saved at") + CRLF + QDir::toNativeSeparators(result.copyPath) + CRLF + CRLF +
                       QStringLiteral("Receipt saved at") + CRLF + QDir::toNativeSeparators(result.receiptPath) + CRLF +
                       CRLF + QStringLiteral("Bid digest: ") + result.digest + signature);
}

QString frmReadiness::signCopy(const Tender::SubmissionResult& copy)
{
    const QString title = QStringLiteral("Sign Submission");
    const auto refuse = [&](const QString& why) {
        showMessage(this, title,
                    QStringLiteral("The submission was not signed.") + CRLF + CRLF + why + CRLF + CRLF +
                        QStringLiteral("The submission copy and its receipt are saved and valid without a signature."),
                    QMessageBox::Warning);
        return QString();
    };
    std::optional<Tender::SigningTokens> tokens;
    {
        BusyCursor busy;
        tokens.emplace();
    }
    const std::vector<Tender::TokenCertificate>& certificates = tokens->certificates();
    if (certificates.empty())
        return refuse(QStringLiteral("No digital signature certificate was found. Please insert your token and "
                                     "check that its driver is installed."));
    size_t chosen = 0;
    if (certificates.size() > 1) {
        QStringList entries;
        for (const Tender::TokenCertificate& c : certificates)
            entries << c.choiceText();
        const int index = ChoiceDialogSeam::call({this, title, QStringLiteral("Certificate to sign with:"), entries});
        if (index < 0)
            return QString();
        chosen = static_cast<size_t>(index);
    }
    std::optional<QByteArray> pin = SecretEntrySeam::call(
        {this, title, QStringLiteral("PIN of the token \"%1\":").arg(certificates[chosen].token)});
    if (!pin)
        return QString();
    try {
        BusyCursor busy;
        const Tender::SignedSubmission signedCopy =
            Tender::signSubmission(copy, *tokens, chosen, *pin, QDateTime::currentDateTimeUtc());
        return CRLF + CRLF + QStringLiteral("Signature saved at") + CRLF +
               QDir::toNativeSeparators(signedCopy.signaturePath) + CRLF + QStringLiteral("Signed by: ") +
               signedCopy.signature.signer.subject;
    } catch (const Tender::SignatureError& e) {
        return refuse(e.description());
    }
}

void frmReadiness::done(int result)
{
    QDialog::done(result);
    if (DefaultInstance<frmReadiness>::existing() == this)
        DefaultInstance<frmReadiness>::release();
}
