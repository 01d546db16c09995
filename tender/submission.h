#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <stdexcept>

struct sqlite3;

#include "tender/signingtoken.h"

// The copy of the bid the vendor hands over: written from the open file with the engine's online
// backup, re-opened with the tender key and checked to carry the same bid digest as the live file, with
// a PDF receipt beside it that states what was handed over.
namespace Tender {

class SubmissionError : public std::runtime_error
{
public:
    explicit SubmissionError(QString description)
        : std::runtime_error(description.toStdString()), m_description(std::move(description)) {}
    const QString& description() const { return m_description; }

private:
    QString m_description;
};

// Why the live file cannot be handed over as it is (damaged, vendor details incomplete); empty when it
// can. Throws DbError.
QString submissionBlocker(sqlite3* live);

// "<VendorName> - Tender.klmt" and, beside a copy, "<VendorName> - Submission Receipt.pdf".
QString submissionCopyName(const QString& vendor);
QString receiptPathFor(const QString& copyPath, const QString& vendor);

struct SubmissionResult {
    QString copyPath;
    QString receiptPath;
    QString digest;  // as shown
    QString vendor;
    QStringList receiptLines;
};
// Writes and verifies the copy at `copyPath`, then the receipt beside it, stamped `when`. On any
// failure nothing is left at either path and SubmissionError is thrown.
SubmissionResult writeSubmissionCopy(sqlite3* live, const QString& copyPath, const QDateTime& when);

struct SignedSubmission {
    QString signaturePath;
    SignatureCheck signature;  // as read back from the file written
};
// Signs the copy's digest with a certificate on a token (see SigningTokens::sign; `pin` is wiped),
// writes "<VendorName> - Submission.p7s" beside the copy and names the signer and the signing time in
// the receipt. On failure no signature is left, the copy and the receipt stay as they were, and
// SignatureError is thrown.
SignedSubmission signSubmission(const SubmissionResult& submission, SigningTokens& tokens, size_t certificate,
                                QByteArray& pin, const QDateTime& now);

} // namespace Tender
