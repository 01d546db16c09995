#include "tender/signingtoken.h"

#include <QFile>
#include <QStringList>

#include <cstdlib>
#include <libp11.h>
#include <openssl/crypto.h>
#include <openssl/err.h>
#include <openssl/x509v3.h>
#include <p11-kit/p11-kit.h>

namespace {

// The file of every module p11-kit lists for this program, in its order.
QStringList registeredModules()
{
    QStringList files;
    CK_FUNCTION_LIST** modules = p11_kit_modules_load(nullptr, 0);
    if (!modules)
        return files;
    for (CK_FUNCTION_LIST** m = modules; *m; ++m) {
        if (char* file = p11_kit_module_get_filename(*m)) {
            files << QString::fromLocal8Bit(file);
            std::free(file);
        }
    }
    p11_kit_modules_release(modules);
    return files;
}

// The PKCS#11 return code of libp11's last failure, or 0.
unsigned long lastTokenError()
{
    unsigned long code = 0, e = 0;
    while ((e = ERR_get_error()) != 0)
        if (ERR_GET_LIB(e) == ERR_get_CKR_code())
            code = ERR_GET_REASON(e);
    return code;
}

QString dateText(const QDateTime& utc)
{
    return utc.toLocalTime().toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace

namespace Tender {

QString TokenCertificate::choiceText() const
{
    return QStringLiteral("%1, issued by %2, valid until %3").arg(facts.holder, facts.issuerName, dateText(facts.validUntil));
}

// One libp11 context per module, with its slotList; each listed certificate remembers where it lies.
struct SigningTokens::Modules {
    struct Module {
        PKCS11_CTX* context = nullptr;
        PKCS11_SLOT* slotList = nullptr;
        unsigned slotCount = 0;
    };
    struct Place {
        size_t module;
        PKCS11_SLOT* slot;
        PKCS11_CERT* certificate;
    };
    std::vector<Module> modules;
    std::vector<Place> places;

    ~Modules()
    {
        for (Module& m : modules) {
            if (m.slotList)
                PKCS11_release_all_slots(m.context, m.slotList, m.slotCount);
            PKCS11_CTX_unload(m.context);
            PKCS11_CTX_free(m.context);
        }
    }
};

SigningTokens::SigningTokens() : m_modules(std::make_unique<Modules>())
{
    for (const QString& file : registeredModules()) {
        Modules::Module module{PKCS11_CTX_new()};
        if (!module.context)
            continue;
        if (PKCS11_CTX_load(module.context, QFile::encodeName(file).constData()) != 0 ||
            PKCS11_enumerate_slots(module.context, &module.slotList, &module.slotCount) != 0) {
            // A driver that cannot start (no reader, no configuration) is no token.
            PKCS11_CTX_free(module.context);
            continue;
        }
        const size_t index = m_modules->modules.size();
        m_modules->modules.push_back(module);
        for (unsigned s = 0; s < module.slotCount; ++s) {
            PKCS11_SLOT* slot = &module.slotList[s];
            if (!slot->token || !slot->token->initialized)
                continue;
            PKCS11_CERT* certificates = nullptr;
            unsigned count = 0;
            if (PKCS11_enumerate_certs(slot->token, &certificates, &count) != 0)
                continue;
            for (unsigned c = 0; c < count; ++c) {
                // Authorities' certificates ride along on many tokens; they sign nothing of the vendor's.
                if (!certificates[c].x509 || X509_check_ca(certificates[c].x509) != 0)
                    continue;
                m_modules->places.push_back({index, slot, &certificates[c]});
                m_listed.push_back({certificateFacts(certificates[c].x509), QString::fromUtf8(slot->token->label).trimmed()});
            }
        }
    }
    ERR_clear_error();
}

SigningTokens::~SigningTokens() = default;

QByteArray SigningTokens::sign(size_t certificate, QByteArray& pin, const QByteArray& content, const QDateTime& now)
{
    struct Wipe {
        QByteArray& pin;
        ~Wipe()
        {
            OPENSSL_cleanse(pin.data(), static_cast<size_t>(pin.size()));
            pin.clear();
        }
    } wipe{pin};
    const Modules::Place& place = m_modules->places.at(certificate);
    const CertificateFacts& facts = m_listed.at(certificate).facts;
    if (now > facts.validUntil)
        throw SignatureError(QStringLiteral("The certificate expired on %1 and cannot sign. Please use a valid "
                                            "certificate.").arg(dateText(facts.validUntil)));
    if (now < facts.validFrom)
        throw SignatureError(QStringLiteral("The certificate is valid only from %1 and cannot sign yet.")
                                 .arg(dateText(facts.validFrom)));
    if (place.slot->token->userPinLocked)
        throw SignatureError(QStringLiteral("The token's PIN is locked. Please unlock the token with the tool "
                                            "that came with it, then sign again."));
    int loggedIn = 0;
    if (PKCS11_is_logged_in(place.slot, 0, &loggedIn) != 0 || !loggedIn) {
        if (PKCS11_open_session(place.slot, 0) != 0 || PKCS11_login(place.slot, 0, pin.constData()) != 0) {
            switch (lastTokenError()) {
            case CKR_PIN_INCORRECT:
            case CKR_PIN_INVALID:
            case CKR_PIN_LEN_RANGE:
                throw SignatureError(QStringLiteral("The PIN is not correct. Please try again; a token locks itself "
                                                    "after a few wrong PINs."));
            case CKR_PIN_LOCKED:
                throw SignatureError(QStringLiteral("The token's PIN is locked. Please unlock the token with the "
                                                    "tool that came with it, then sign again."));
            default:
                throw SignatureError(QStringLiteral("The token refused the login. Please check that it is inserted."));
            }
        }
    }
    // The token stays open for this signature only.
    struct Logout {
        PKCS11_SLOT* slot;
        ~Logout() { PKCS11_logout(slot); }
    } logout{place.slot};
    PKCS11_KEY* key = PKCS11_find_key(place.certificate);
    EVP_PKEY* privateKey = key ? PKCS11_get_private_key(key) : nullptr;
    if (!privateKey) {
        ERR_clear_error();
        throw SignatureError(QStringLiteral("The token holds no private key for this certificate."));
    }
    const std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> owned(privateKey, EVP_PKEY_free);
    return signDetached(place.certificate->x509, privateKey, content);
}

} // namespace Tender
