#include "tender/bidsignature.h"

#include <QDir>
#include <QFileInfo>

#include <memory>
#include <openssl/bio.h>
#include <openssl/cms.h>
#include <openssl/err.h>
#include <openssl/x509.h>

namespace {

template <auto Free>
struct Freer {
    template <typename T>
    void operator()(T* p) const { Free(p); }
};
using BioPtr = std::unique_ptr<BIO, Freer<BIO_free>>;
using CmsPtr = std::unique_ptr<CMS_ContentInfo, Freer<CMS_ContentInfo_free>>;

// Reads `bytes` in place: they must outlive the BIO.
BioPtr memoryOf(const QByteArray& bytes)
{
    return BioPtr(BIO_new_mem_buf(bytes.constData(), static_cast<int>(bytes.size())));
}

// OpenSSL's last error, for a message that names the cause; the queue is emptied either way.
QString lastOpenSslError()
{
    char text[256] = {};
    const unsigned long code = ERR_get_error();
    ERR_clear_error();
    if (code == 0)
        return QString();
    ERR_error_string_n(code, text, sizeof text);
    return QString::fromLatin1(text);
}

QDateTime utcOf(const ASN1_TIME* time)
{
    std::tm tm{};
    if (!time || ASN1_TIME_to_tm(time, &tm) != 1)
        return QDateTime();
    return QDateTime(QDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday), QTime(tm.tm_hour, tm.tm_min, tm.tm_sec),
                     Qt::UTC);
}

QString nameText(const X509_NAME* name)
{
    BioPtr out(BIO_new(BIO_s_mem()));
    // One line, most specific part first as people read it ("CN=..., O=..., C=IN"), UTF-8 kept.
    X509_NAME_print_ex(out.get(), name, 0,
                       XN_FLAG_SEP_CPLUS_SPC | XN_FLAG_DN_REV | XN_FLAG_FN_SN | (ASN1_STRFLGS_RFC2253 & ~ASN1_STRFLGS_ESC_MSB));
    char* data = nullptr;
    const long size = BIO_get_mem_data(out.get(), &data);
    return QString::fromUtf8(data, size);
}

QString commonName(const X509_NAME* name)
{
    const int index = X509_NAME_get_index_by_NID(name, NID_commonName, -1);
    const ASN1_STRING* value = index < 0 ? nullptr : X509_NAME_ENTRY_get_data(X509_NAME_get_entry(name, index));
    unsigned char* utf8 = nullptr;
    const int size = value ? ASN1_STRING_to_UTF8(&utf8, value) : -1;
    if (size < 0)
        return nameText(name);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(utf8), size);
    OPENSSL_free(utf8);
    return text;
}

QDateTime signingTimeOf(CMS_SignerInfo* signer)
{
    const int index = CMS_signed_get_attr_by_NID(signer, NID_pkcs9_signingTime, -1);
    if (index < 0)
        return QDateTime();
    const ASN1_TYPE* value = X509_ATTRIBUTE_get0_type(CMS_signed_get_attr(signer, index), 0);
    if (!value || (value->type != V_ASN1_UTCTIME && value->type != V_ASN1_GENERALIZEDTIME))
        return QDateTime();
    return utcOf(reinterpret_cast<const ASN1_TIME*>(value->value.asn1_string));
}

} // namespace

namespace Tender {

QByteArray signedDigestText(const QString& digest)
{
    return QByteArrayLiteral("Quillbid bid digest: ") + digest.toUtf8();
}

QString signaturePathBeside(const QString& copyPath, const QString& vendor)
{
    return QFileInfo(copyPath).absoluteDir().filePath(vendor + QStringLiteral(" - Submission.p7s"));
}

QString defaultSignaturePath(const QString& filePath)
{
    const QFileInfo file(filePath);
    const QString tail = QStringLiteral(" - Tender.klmt");
    const QString name = file.fileName();
    const QString stem = name.endsWith(tail, Qt::CaseInsensitive) ? name.chopped(tail.size()) : file.completeBaseName();
    return file.dir().filePath(stem + QStringLiteral(" - Submission.p7s"));
}

CertificateFacts certificateFacts(const X509* certificate)
{
    CertificateFacts facts;
    facts.subject = nameText(X509_get_subject_name(certificate));
    facts.issuer = nameText(X509_get_issuer_name(certificate));
    facts.holder = commonName(X509_get_subject_name(certificate));
    facts.issuerName = commonName(X509_get_issuer_name(certificate));
    std::unique_ptr<BIGNUM, Freer<BN_free>> serial(ASN1_INTEGER_to_BN(X509_get0_serialNumber(certificate), nullptr));
    if (serial) {
        char* hex = BN_bn2hex(serial.get());
        facts.serial = QString::fromLatin1(hex);
        OPENSSL_free(hex);
    }
    facts.validFrom = utcOf(X509_get0_notBefore(certificate));
    facts.validUntil = utcOf(X509_get0_notAfter(certificate));
    return facts;
}

QByteArray signDetached(X509* certificate, EVP_PKEY* key, const QByteArray& content)
{
    const BioPtr data = memoryOf(content);
    const unsigned flags = CMS_DETACHED | CMS_BINARY | CMS_PARTIAL;
    CmsPtr cms(CMS_sign(nullptr, nullptr, nullptr, nullptr, flags));
    if (!cms || !CMS_add1_signer(cms.get(), certificate, key, EVP_sha256(), flags) ||
        !CMS_final(cms.get(), data.get(), nullptr, flags))
        throw SignatureError(QStringLiteral("The signature could not be made: %1").arg(lastOpenSslError()));
    BioPtr out(BIO_new(BIO_s_mem()));
    if (!i2d_CMS_bio(out.get(), cms.get()))
        throw SignatureError(QStringLiteral("The signature could not be written: %1").arg(lastOpenSslError()));
    char* bytes = nullptr;
    const long size = BIO_get_mem_data(out.get(), &bytes);
    return QByteArray(bytes, size);
}

QString SignatureCheck::verdictText() const
{
    switch (verdict) {
    case Verdict::Valid: return QStringLiteral("signature valid");
    case Verdict::DigestDiffers: return QStringLiteral("digest differs");
    case Verdict::ExpiredAtSigning: return QStringLiteral("certificate expired at signing time");
    case Verdict::Broken: break;
    }
    return QStringLiteral("signature broken");
}

SignatureCheck checkSignature(const QByteArray& signature, const QString& digest)
{
    SignatureCheck check;
    const BioPtr in = memoryOf(signature);
    const CmsPtr cms(d2i_CMS_bio(in.get(), nullptr));
    STACK_OF(CMS_SignerInfo)* signers = cms ? CMS_get0_SignerInfos(cms.get()) : nullptr;
    if (!signers || sk_CMS_SignerInfo_num(signers) != 1) {
        ERR_clear_error();
        return check;
    }
    CMS_SignerInfo* signer = sk_CMS_SignerInfo_value(signers, 0);
    // Chains are not judged here: only that the enclosed certificate's key made this signature.
    const QByteArray signedText = signedDigestText(digest);  // the memory BIO reads it in place
    const BioPtr content = memoryOf(signedText);
    const bool verified = CMS_verify(cms.get(), nullptr, nullptr, content.get(), nullptr,
                                     CMS_NO_SIGNER_CERT_VERIFY | CMS_BINARY) == 1;
    X509* certificate = nullptr;
    CMS_SignerInfo_get0_algs(signer, nullptr, &certificate, nullptr, nullptr);
    if (certificate)
        check.signer = certificateFacts(certificate);
    check.signingTime = signingTimeOf(signer);
    if (!verified) {
        // A signature that holds over its own signed attributes was made over another digest.
        check.verdict = certificate && CMS_SignerInfo_verify(signer) == 1 ? SignatureCheck::Verdict::DigestDiffers
                                                                           : SignatureCheck::Verdict::Broken;
    } else if (check.signingTime.isValid() && !check.signer.validAt(check.signingTime)) {
        check.verdict = SignatureCheck::Verdict::ExpiredAtSigning;
    } else {
        check.verdict = SignatureCheck::Verdict::Valid;
    }
    ERR_clear_error();
    return check;
}

} // namespace Tender
