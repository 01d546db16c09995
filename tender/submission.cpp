#include "tender/submission.h"

#include "db/backupcopy.h"
#include "db/dberror.h"
#include "db/keyedfile.h"
#include "output/exporterror.h"
#include "sheets/workbook.h"
#include "tender/biddigest.h"
#include "tender/readiness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <filesystem>
#include <sqlite3.h>
#include <system_error>

namespace {

using namespace Tender;

struct BidFacts {
    QString vendor, organisation, duration;
};

BidFacts readFacts(const KeyedFile& file)
{
    BidFacts facts;
    file.forEachRow(QStringLiteral("SELECT VendorName FROM CT_Vendor LIMIT 1"),
                    [&](const KeyedFile::Row& row) { facts.vendor = row.text(0).trimmed(); });
    file.forEachRow(QStringLiteral("SELECT Organization, TenderDuration FROM CT_Options LIMIT 1"),
                    [&](const KeyedFile::Row& row) {
                        facts.organisation = row.text(0);
                        facts.duration = row.text(1);
                    });
    return facts;
}

// Removes the files written so far unless the whole submission succeeded.
struct WrittenFiles {
    QStringList paths;
    bool kept = false;
    ~WrittenFiles()
    {
        if (!kept)
            for (const QString& p : paths)
                QFile::remove(p);
    }
};

void writeReceipt(const QString& path, const QStringList& lines)
{
    const QString temp = path + QStringLiteral(".part");
    WrittenFiles written{{temp}};
    {
        QPdfWriter writer(temp);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(300);
        writer.setTitle(lines.first());
        QPainter painter;
        if (!painter.begin(&writer))
            throw SubmissionError(QStringLiteral("Could not write the receipt '%1'.").arg(path));
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(11);
        painter.setFont(font);
        const int lineHeight = painter.fontMetrics().height() * 3 / 2;
        int y = lineHeight * 2;
        for (const QString& line : lines) {
            painter.drawText(200, y, line);
            y += lineHeight;
        }
        if (!painter.end())
            throw SubmissionError(QStringLiteral("Could not write the receipt '%1'.").arg(path));
    }
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData(), error);
    if (error)
        throw SubmissionError(QStringLiteral("Could not write the receipt '%1': %2")
                                  .arg(path, QString::fromLocal8Bit(error.message().c_str())));
    written.kept = true;
}

} // namespace

namespace Tender {

QString submissionBlocker(sqlite3* live)
{
    const KeyedFile file(live);
    const QString check = file.integrityCheck();
    if (check != QLatin1String("ok"))
        return QStringLiteral("The tender file is damaged and cannot be handed over: ") + check;
    if (readFacts(file).vendor.isEmpty())
        return QStringLiteral("Please enter vendor details before preparing the submission copy.");
    for (const ReadinessFinding& f : readReadiness(file).findings)
        if (f.quotationId == 0)
            return QStringLiteral("The vendor details are incomplete (%1). Please complete them before preparing "
                                  "the submission copy.").arg(f.problem);
    return QString();
}

QString submissionCopyName(const QString& vendor)
{
    return vendor + QStringLiteral(" - Tender.klmt");
}

QString receiptPathFor(const QString& copyPath, const QString& vendor)
{
    return QFileInfo(copyPath).absoluteDir().filePath(vendor + QStringLiteral(" - Submission Receipt.pdf"));
}

SubmissionResult writeSubmissionCopy(sqlite3* live, const QString& copyPath, const QDateTime& when)
{
    // The live file as the destination would be replaced under the open connection, and removed again
    // by a failure.
    const QString livePath = QFileInfo(QString::fromUtf8(sqlite3_db_filename(live, "main"))).absoluteFilePath();
    if (QFileInfo(copyPath).absoluteFilePath() == livePath)
        throw SubmissionError(QStringLiteral("The submission copy must not replace the open tender file; "
                                             "please choose another name or folder."));
    WrittenFiles written;
    try {
        const KeyedFile liveFile(live);
        const BidFacts facts = readFacts(liveFile);
        const Readiness readiness = readReadiness(liveFile);
        const QByteArray liveDigest = bidDigest(liveFile);

        written.paths << copyPath;
        writeBackupCopy(live, copyPath, QLatin1String(TenderDatabase::Password));
        {
            const KeyedFile copy(copyPath);
            const QString check = copy.integrityCheck();
            if (check != QLatin1String("ok"))
                throw SubmissionError(QStringLiteral("The copy failed its check: ") + check);
            if (bidDigest(copy) != liveDigest)
                throw SubmissionError(QStringLiteral("The copy does not carry the same bid as the open file."));
        }

        SubmissionResult result{copyPath, receiptPathFor(copyPath, facts.vendor), formatBidDigest(liveDigest), facts.vendor, {}};
        written.paths << result.receiptPath;
        result.receiptLines = {QStringLiteral("Submission Receipt"),
                               QStringLiteral("Vendor: ") + facts.vendor,
                               QStringLiteral("Tender: %1, %2").arg(facts.organisation, facts.duration),
                               QStringLiteral("Date and time: ") + when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                               QStringLiteral("File: ") + QFileInfo(copyPath).fileName(),
                               QStringLiteral("Quoted items: %1").arg(readiness.quotedItems),
                               QStringLiteral("Lines covered: %1 of %2").arg(readiness.covered).arg(readiness.lines.size()),
                               QStringLiteral("Bid value at yearly quantities: ") + readiness.bidValue.toFixed(2),
                               QStringLiteral("Findings: %1").arg(readiness.findings.size()),
                      QStringLiteral("Bid digest: ") + result.digest};
        writeReceipt(result.receiptPath, result.receiptLines);
        written.kept = true;
        return result;
    } catch (const DbError& e) {
        throw SubmissionError(e.description());
    }
}

SignedSubmission signSubmission(const SubmissionResult& submission, SigningTokens& tokens, size_t certificate,
                                QByteArray& pin, const QDateTime& now)
{
    const QByteArray signature = tokens.sign(certificate, pin, signedDigestText(submission.digest), now);
    // Read back as the hospital will read it: a token that signed with another key than its
    // certificate's is caught here, not at the hospital.
    SignedSubmission result{signaturePathBeside(submission.copyPath, submission.vendor),
                            checkSignature(signature, submission.digest)};
    if (!result.signature.valid())
        throw SignatureError(QStringLiteral("The token's signature does not check out (%1).").arg(result.signature.verdictText()));
    WrittenFiles written{{result.signaturePath}};
    try {
        Sheets::writeWholeFile(result.signaturePath, signature);
    } catch (const ExportError& e) {
        throw SignatureError(e.description());
    }
    QStringList lines = submission.receiptLines;
    lines << QStringLiteral("Signed by: ") + result.signature.signer.subject
          << QStringLiteral("Certificate serial number: ") + result.signature.signer.serial
          << QStringLiteral("Signed at: ") +
                 result.signature.signingTime.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
          << QStringLiteral("Signature: ") + QFileInfo(result.signaturePath).fileName();
    try {
        writeReceipt(submission.receiptPath, lines);
    } catch (const SubmissionError& e) {
        throw SignatureError(e.description());
    }
    written.kept = true;
    return result;
}

} // namespace Tender
