#include "tests/support/testtoken.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <libp11.h>
#include <openssl/evp.h>
#include <openssl/x509.h>

namespace {

constexpr const char* SoPin = "271828";

QString softHsmModule()
{
    for (const char* path : {"/usr/lib/softhsm/libsofthsm2.so", "/usr/lib/x86_64-linux-gnu/softhsm/libsofthsm2.so"})
        if (QFileInfo::exists(QLatin1String(path)))
            return QLatin1String(path);
    qFatal("SoftHSM2 is missing: run scripts/install-deps.sh");
    return QString();
}

void setTime(ASN1_TIME* field, const QDateTime& when)
{
    ASN1_TIME_set(field, static_cast<time_t>(when.toSecsSinceEpoch()));
}

// libp11 over the SoftHSM module, its slots listed; unloaded at the end of the scope.
struct Library {
    PKCS11_CTX* context = PKCS11_CTX_new();
    PKCS11_SLOT* slotList = nullptr;
    unsigned slotCount = 0;
    Library()
    {
        if (PKCS11_CTX_load(context, QFile::encodeName(softHsmModule()).constData()) != 0 ||
            PKCS11_enumerate_slots(context, &slotList, &slotCount) != 0)
            qFatal("SoftHSM2 did not start");
    }
    ~Library()
    {
        PKCS11_release_all_slots(context, slotList, slotCount);
        PKCS11_CTX_unload(context);
        PKCS11_CTX_free(context);
    }
    PKCS11_SLOT* slot(bool initialized, const QByteArray& label = {}) const
    {
        for (unsigned i = 0; i < slotCount; ++i) {
            PKCS11_TOKEN* t = slotList[i].token;
            if (t && bool(t->initialized) == initialized && (label.isEmpty() || QByteArray(t->label).trimmed() == label))
                return &slotList[i];
        }
        qFatal("no such SoftHSM2 slot");
        return nullptr;
    }
};

} // namespace

TestIdentity makeTestIdentity(const QString& commonName, const QDateTime& validFrom, const QDateTime& validUntil)
{
    TestIdentity identity;
    identity.key.reset(EVP_RSA_gen(2048), EVP_PKEY_free);
    identity.certificate.reset(X509_new(), X509_free);
    X509* c = identity.certificate.get();
    X509_set_version(c, 2);
    ASN1_INTEGER_set_int64(X509_get_serialNumber(c), 0x1234ABCD);
    X509_NAME* name = X509_get_subject_name(c);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8, reinterpret_cast<const unsigned char*>(commonName.toUtf8().constData()),
                               -1, -1, 0);
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_UTF8, reinterpret_cast<const unsigned char*>("Acme Pharma"), -1, -1, 0);
    X509_set_issuer_name(c, name);
    setTime(X509_getm_notBefore(c), validFrom);
    setTime(X509_getm_notAfter(c), validUntil);
    X509_set_pubkey(c, identity.key.get());
    if (X509_sign(c, identity.key.get(), EVP_sha256()) == 0)
        qFatal("could not sign the test certificate");
    return identity;
}

TestTokens::TestTokens(const QString& folder) : m_previousConf(qgetenv("SOFTHSM2_CONF"))
{
    const QString tokens = QDir(folder).filePath(QStringLiteral("tokens"));
    QDir().mkpath(tokens);
    const QString conf = QDir(folder).filePath(QStringLiteral("softhsm2.conf"));
    QFile file(conf);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write the SoftHSM2 configuration");
    file.write("directories.tokendir = " + QFile::encodeName(tokens) + "\nobjectstore.backend = file\nlog.level = ERROR\n");
    file.close();
    qputenv("SOFTHSM2_CONF", QFile::encodeName(conf));
}

TestTokens::~TestTokens()
{
    if (m_previousConf.isEmpty())
        qunsetenv("SOFTHSM2_CONF");
    else
        qputenv("SOFTHSM2_CONF", m_previousConf);
}

void TestTokens::addToken(const QString& label, const TestIdentity& identity)
{
    const QByteArray name = label.toUtf8();
    {
        Library library;
        // The module reads a label as the standard's fixed field of 32 blank-padded bytes.
        const QByteArray field = name.leftJustified(32, ' ', true);
        if (PKCS11_init_token(library.slot(false)->token, SoPin, field.constData()) != 0)
            qFatal("could not initialise the test token");
    }
    Library library;
    PKCS11_SLOT* slot = library.slot(true, name);
    if (PKCS11_open_session(slot, 1) != 0 || PKCS11_login(slot, 1, SoPin) != 0 || PKCS11_init_pin(slot->token, Pin) != 0)
        qFatal("could not set the test token's PIN");
    PKCS11_logout(slot);
    unsigned char id[] = {0x42};
    char keyLabel[] = "signing key";
    if (PKCS11_login(slot, 0, Pin) != 0 ||
        PKCS11_store_private_key(slot->token, identity.key.get(), keyLabel, id, sizeof id) != 0 ||
        PKCS11_store_certificate(slot->token, identity.certificate.get(), keyLabel, id, sizeof id, nullptr) != 0)
        qFatal("could not store the test identity on the token");
    PKCS11_logout(slot);
}
