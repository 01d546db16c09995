#pragma once

#include "tender/bidsignature.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

// The vendor's signing certificates on the PKCS#11 tokens the system knows (the modules registered with
// p11-kit: a USB token's driver registers itself there). Listing them needs no PIN; signing logs in.
namespace Tender {

struct TokenCertificate {
    CertificateFacts facts;
    QString token;  // the token's label
    // "Holder, issued by Issuer, valid until 2027-03-31" (common names): one entry of the certificate choice.
    QString choiceText() const;
};

class SigningTokens
{
public:
    // Loads every module p11-kit lists and reads the certificates of the tokens present. A module that
    // fails to load is passed over; no module or no token gives an empty list.
    SigningTokens();
    ~SigningTokens();
    SigningTokens(const SigningTokens&) = delete;
    SigningTokens& operator=(const SigningTokens&) = delete;

    const std::vector<TokenCertificate>& certificates() const { return m_listed; }

    // Logs in to the certificate's token with `pin`, which is wiped before this returns whatever
    // happens, and signs `content` with the key that belongs to the certificate. A certificate not
    // valid at `now` is refused before the PIN is used. Throws SignatureError with a message for the
    // vendor: wrong PIN, locked PIN, expired certificate, no key for the certificate.
    QByteArray sign(size_t certificate, QByteArray& pin, const QByteArray& content, const QDateTime& now);

private:
    struct Modules;
    std::unique_ptr<Modules> m_modules;
    std::vector<TokenCertificate> m_listed;
};

} // namespace Tender
