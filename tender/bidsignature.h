#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <openssl/types.h>
#include <stdexcept>

// The vendor's signature over a bid: a detached CMS signature (SHA-256, the signer's certificate
// included) over the text "Quillbid bid digest: <digest>", stored beside the submission copy as
// "<VendorName> - Submission.p7s". The hospital recomputes the digest of the file it received and
// checks the signature over it. Certificate chains are reported, not judged: no certifying authority
// can be reached from here.
namespace Tender {

class SignatureError : public std::runtime_error
{
public:
    explicit SignatureError(QString description)
        : std::runtime_error(description.toStdString()), m_description(std::move(description)) {}
    const QString& description() const { return m_description; }

private:
    QString m_description;
};

// What is signed: the canonical text of a digest as shown ("1a2b3c4d 5e6f...").
QByteArray signedDigestText(const QString& digest);

// "<VendorName> - Submission.p7s" beside a submission copy.
QString signaturePathBeside(const QString& copyPath, const QString& vendor);
// Where the signature of a returned file lies unless told: its name with " - Submission.p7s" in place
// of " - Tender.klmt" (or of its extension, for a file named otherwise).
QString defaultSignaturePath(const QString& filePath);

// Who a certificate names, as shown to people.
struct CertificateFacts {
    QString subject, issuer, serial;  // serial in upper-case hex
    QString holder, issuerName;       // the common names, as a person names them (the whole name when none)
    QDateTime validFrom, validUntil;  // UTC
    bool validAt(const QDateTime& when) const { return validFrom <= when && when <= validUntil; }
};
CertificateFacts certificateFacts(const X509* certificate);

// Signs `content` with `key` (a software key or one held on a token), the certificate included; DER.
// Throws SignatureError.
QByteArray signDetached(X509* certificate, EVP_PKEY* key, const QByteArray& content);

struct SignatureCheck {
    enum class Verdict { Valid, DigestDiffers, Broken, ExpiredAtSigning };
    Verdict verdict = Verdict::Broken;
    CertificateFacts signer;  // empty when the signature could not be read at all
    QDateTime signingTime;    // UTC; invalid when the signature carries none
    bool valid() const { return verdict == Verdict::Valid; }
    // "signature valid", "digest differs", "signature broken", "certificate expired at signing time"
    QString verdictText() const;
};
// Checks a signature (DER) over the text of `digest`. Never throws: what cannot be read is broken.
SignatureCheck checkSignature(const QByteArray& signature, const QString& digest);

} // namespace Tender
