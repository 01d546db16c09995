#pragma once

#include <QDateTime>
#include <QString>
#include <memory>
#include <openssl/types.h>

// A self-signed certificate for `commonName` and its RSA key, in memory.
struct TestIdentity {
    std::shared_ptr<X509> certificate;
    std::shared_ptr<EVP_PKEY> key;
};
TestIdentity makeTestIdentity(const QString& commonName, const QDateTime& validFrom, const QDateTime& validUntil);

// Software tokens (SoftHSM2) kept in a folder of their own for the length of a test: the process's
// SOFTHSM2_CONF points there, and the application finds the module through p11-kit's list as it finds a
// USB token's driver. With no token added, the system has a token driver but no token.
class TestTokens
{
public:
    explicit TestTokens(const QString& folder);
    ~TestTokens();
    TestTokens(const TestTokens&) = delete;
    TestTokens& operator=(const TestTokens&) = delete;

    // A new token `label`, user PIN Pin, holding the identity's key and certificate.
    void addToken(const QString& label, const TestIdentity& identity);
    static constexpr const char* Pin = "314159";

private:
    QByteArray m_previousConf;
};
