#pragma once

#include "app/decimal.h"
#include "tender/bidsignature.h"
#include "tender/offer.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>
#include <vector>

// The hospital's comparative statement: every returned bid checked against the tender the hospital
// handed out, then every line of its yearly requirement ranked across the suppliers on the unit cost.
namespace Tender {

// The hospital's own file could not be read as a tender.
class TenderFileError : public std::runtime_error
{
public:
    explicit TenderFileError(QString description)
        : std::runtime_error(description.toStdString()), m_description(std::move(description)) {}
    const QString& description() const { return m_description; }

private:
    QString m_description;
};

// Organisation, address and tender duration: the CT_Options row that tells one tender from another.
struct TenderIdentity {
    QString organisation, address, duration;
    bool operator==(const TenderIdentity&) const = default;
};

struct HospitalTender {
    QString path;
    TenderIdentity identity;
    std::vector<RequiredLine> lines;
    // Indexes into lines by matchKey(generic) + U+001F + matchKey(drug form): an offer meets only the
    // lines it could match.
    QHash<QString, std::vector<size_t>> linesByKey;
    std::vector<QString> strengthKeys;  // matchKey(strength) of each line; empty: any strength
};
// Throws TenderFileError.
HospitalTender readHospitalTender(const QString& path);

// Reasons a returned file is refused, as the committee reads them.
namespace Refusal {
inline const QString Damaged = QStringLiteral("damaged");
inline const QString NotATenderFile = QStringLiteral("not a tender file or another key");
inline const QString OtherTender = QStringLiteral("belongs to another tender");
inline const QString NoVendor = QStringLiteral("no vendor details");
QString sameVendorAs(const QString& earlierFile);
}

struct Finding {
    QString vendor;  // empty for a line with no offer
    QString item;
    QString text;
};

// An offer with what the comparison needs of it, worked out by the thread that read its file.
struct PricedOffer {
    Offer offer;
    std::optional<Decimal> unitCost;  // nullopt: not comparable
    std::vector<size_t> lines;        // indexes of the lines it matches
};

struct ReturnedFile {
    QString path;
    QString vendor;
    bool accepted = false;
    QString refusal;       // why it was refused; empty when accepted
    int quotedItems = -1;  // -1 when the file could not be read that far
    QString digest;        // the bid digest as shown; empty when the file could not be read that far
    std::optional<SignatureCheck> signature;  // of the vendor's signature beside the file, when there is one
    std::vector<PricedOffer> offers;  // those that match a line of the requirement
    std::vector<Finding> findings;  // about its offers, in offer order
    QString fileName() const;
    QString signedBy() const { return signature ? signature->signer.subject : QString(); }
    QString signatureText() const { return signature ? signature->verdictText() : QString(); }
};
// Opens and checks one returned file; never throws: a file that fails is returned refused.
ReturnedFile readReturnedFile(const QString& path, const HospitalTender& tender);
// The same for many files at once, one thread per core (each with its own connection), in the order
// given. `progress`, when given, hears the number of files done so far, from the worker threads.
std::vector<ReturnedFile> readReturnedFiles(const QStringList& paths, const HospitalTender& tender,
                                            const std::function<void(int)>& progress = {});
// Refuses the later of two accepted files whose vendor names are equal (trimmed, any case).
void refuseRepeatedVendors(std::vector<ReturnedFile>& files);

// One line of the requirement and one competing supplier (or the line alone when nobody offered it).
struct StatementRow {
    RequiredLine line;
    int rank = 0;                        // 1 for L1; 0 when the line has no offer
    bool tie = false;
    QString vendor;
    Offer offer;
    Decimal unitCost, unitMrp, yearlyValue;
    QStringList alternatives;  // the supplier's other matching offers, "Brand (Packing) 1.2345"
    bool hasOffer() const { return rank > 0; }
};

struct SupplierSummary {
    QString vendor;
    int linesOffered = 0;
    int linesAtL1 = 0;
    Decimal yearlyValue;
};

struct Comparison {
    std::vector<RequiredLine> lines;
    TenderIdentity identity;
    std::vector<StatementRow> rows;  // by line ID, rank, vendor name
    std::vector<SupplierSummary> suppliers;  // by vendor name
    Decimal l1Total;  // every line's L1 yearly value: the cheapest mix
    std::vector<Finding> findings;
    std::vector<ReturnedFile> files;  // as given, offers dropped
    int acceptedFiles() const;
};

// Refuses repeated vendors, then ranks. The offers of the files are consumed.
Comparison compare(const HospitalTender& tender, std::vector<ReturnedFile> files);

// The statement's columns as its CSV names them, and one row's fields as plain text.
QStringList statementHeader();
QStringList statementFields(const StatementRow& row);
QString rankText(int rank);

} // namespace Tender
