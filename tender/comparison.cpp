#include "tender/comparison.h"

#include "db/dberror.h"
#include "db/keyedfile.h"
#include "tender/biddigest.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <atomic>
#include <map>
#include <sqlite3.h>
#include <thread>

namespace {

using namespace Tender;

TenderIdentity readIdentity(const KeyedFile& file)
{
    TenderIdentity id;
    file.forEachRow(QStringLiteral("SELECT Organization, OrgAddress, TenderDuration FROM CT_Options ORDER BY ID LIMIT 1"),
                    [&](const KeyedFile::Row& row) {
                        id.organisation = row.text(0);
                        id.address = row.text(1);
                        id.duration = row.text(2);
                    });
    return id;
}

bool isTenderFile(const KeyedFile& file)
{
    for (const char* table : {"CT_Options", "CT_Vendor", "Quotations", "CT_QtyPerYears"})
        if (!file.hasTable(QLatin1String(table)))
            return false;
    return true;
}

QString vendorName(const KeyedFile& file)
{
    QString name;
    file.forEachRow(QStringLiteral("SELECT VendorName FROM CT_Vendor ORDER BY ID LIMIT 1"),
                    [&](const KeyedFile::Row& row) { name = row.text(0).trimmed(); });
    return name;
}

// A key that cannot decrypt the first page and a file that was never a database look the same.
bool isKeyOrFormatError(const DbError& e)
{
    return e.number() == SQLITE_NOTADB || e.number() == DbErrorNumber::FileNotFound || e.number() == SQLITE_CANTOPEN;
}

int compareNames(const QString& a, const QString& b)
{
    const int c = QString::compare(matchKey(a), matchKey(b));
    return c != 0 ? c : QString::compare(a, b);
}

QString lineItem(const RequiredLine& l)
{
    QStringList parts{QStringLiteral("Line %1:").arg(l.id), l.generic};
    if (!l.strength.trimmed().isEmpty())
        parts << l.strength;
    parts << l.drugForm;
    return parts.join(QLatin1Char(' '));
}

// The vendor's signature lying beside a returned file, checked against the file's digest.
std::optional<SignatureCheck> checkSignatureBeside(const QString& path, const QString& digest)
{
    QFile signature(defaultSignaturePath(path));
    if (!signature.exists())
        return std::nullopt;
    // A signature that cannot be read proves nothing: it is reported broken like a damaged one.
    return checkSignature(signature.open(QIODevice::ReadOnly) ? signature.readAll() : QByteArray(), digest);
}

// Lines by generic and drug form, so that each offer meets only the lines it could match.
QString lineKey(const QString& generic, const QString& form)
{
    return matchKey(generic) + QChar(0x1f) + matchKey(form);
}

// The per-offer work of the comparison, done once per file on the thread that read it.
void priceOffers(ReturnedFile& file, const HospitalTender& tender)
{
    for (PricedOffer& p : file.offers) {
        const Offer& o = p.offer;
        for (const QString& problem : pricingProblems(o))
            file.findings.push_back({file.vendor, itemText(o), problem});
        p.unitCost = unitCost(o);
        if (!p.unitCost) {
            file.findings.push_back({file.vendor, itemText(o), QStringLiteral("Quantity per pack is 0 or less: not comparable")});
            continue;
        }
        // Generic and form are matched by the bucket; the strength, where the line gives one, here.
        const auto it = tender.linesByKey.constFind(lineKey(o.generic, o.drugForm));
        if (it != tender.linesByKey.constEnd()) {
            const QString strength = matchKey(o.strength);
            for (size_t l : *it)
                if (tender.strengthKeys[l].isEmpty() || tender.strengthKeys[l] == strength)
                    p.lines.push_back(l);
        }
        if (p.lines.empty())
            file.findings.push_back({file.vendor, itemText(o), QStringLiteral("Matches no line of the requirement")});
    }
    // An offer that competes nowhere is only a finding now; freeing it here, on the reading thread,
    // spares the ranking the cost.
    std::erase_if(file.offers, [](const PricedOffer& p) { return p.lines.empty(); });
}

struct Competitor {
    size_t file;
    const Offer* best;
    Decimal unitCost;
    std::vector<const Offer*> others;
};

} // namespace

namespace Tender {

QString Refusal::sameVendorAs(const QString& earlierFile)
{
    return QStringLiteral("same vendor as %1").arg(earlierFile);
}

QString ReturnedFile::fileName() const
{
    return QFileInfo(path).fileName();
}

int Comparison::acceptedFiles() const
{
    return static_cast<int>(std::count_if(files.begin(), files.end(), [](const ReturnedFile& f) { return f.accepted; }));
}

HospitalTender readHospitalTender(const QString& path)
{
    HospitalTender tender;
    tender.path = path;
    try {
        KeyedFile file(path);
        if (!isTenderFile(file))
            throw TenderFileError(QStringLiteral("%1 is not a tender file.").arg(path));
        tender.identity = readIdentity(file);
        tender.lines = readRequiredLines(file);
        for (size_t l = 0; l < tender.lines.size(); ++l)
            tender.linesByKey[lineKey(tender.lines[l].generic, tender.lines[l].drugForm)].push_back(l);
        for (const RequiredLine& line : tender.lines)
            tender.strengthKeys.push_back(matchKey(line.strength));
    } catch (const DbError& e) {
        throw TenderFileError(QStringLiteral("Cannot read the tender file %1: %2").arg(path, e.description()));
    }
    return tender;
}

ReturnedFile readReturnedFile(const QString& path, const HospitalTender& tender)
{
    ReturnedFile result;
    result.path = path;
    std::unique_ptr<KeyedFile> file;
    try {
        file = std::make_unique<KeyedFile>(path);
    } catch (const DbError& e) {
        result.refusal = isKeyOrFormatError(e) ? Refusal::NotATenderFile : Refusal::Damaged;
        return result;
    }
    try {
        if (file->integrityCheck() != QLatin1String("ok")) {
            result.refusal = Refusal::Damaged;
            return result;
        }
        if (!isTenderFile(*file)) {
            result.refusal = Refusal::NotATenderFile;
            return result;
        }
        result.vendor = vendorName(*file);
        // Offers copy rather than move (their figures are exact numbers): room for all of them first.
        file->forEachRow(QStringLiteral("SELECT count(*) FROM Quotations"),
                         [&](const KeyedFile::Row& row) { result.offers.reserve(static_cast<size_t>(row.integer(0))); });
        const OfferReader reader(bidQuotedColumns());
        result.digest = formatBidDigest(bidDigest(*file, [&](const QStringList& values) {
            result.offers.push_back({reader.offer(values), std::nullopt, {}});
        }));
        result.quotedItems = static_cast<int>(result.offers.size());
        result.signature = checkSignatureBeside(path, result.digest);
        if (!(readIdentity(*file) == tender.identity))
            result.refusal = Refusal::OtherTender;
        else if (result.vendor.isEmpty())
            result.refusal = Refusal::NoVendor;
        else
            result.accepted = true;
        if (result.accepted && result.signature && !result.signature->valid())
            result.findings.push_back({result.vendor, result.fileName(),
                                       QStringLiteral("Signature check failed: ") + result.signature->verdictText()});
        if (result.accepted)
            priceOffers(result, tender);
    } catch (const DbError&) {
        // A page that fails its checksum shows only when it is read.
        result.refusal = Refusal::Damaged;
    }
    if (!result.accepted)
        result.offers.clear();
    return result;
}

std::vector<ReturnedFile> readReturnedFiles(const QStringList& paths, const HospitalTender& tender,
                                            const std::function<void(int)>& progress)
{
    std::vector<ReturnedFile> files(static_cast<size_t>(paths.size()));
    std::atomic<int> next{0}, done{0};
    auto work = [&] {
        for (int i = next++; i < paths.size(); i = next++) {
            files[static_cast<size_t>(i)] = readReturnedFile(paths[i], tender);
            const int n = ++done;
            if (progress)
                progress(n);
        }
    };
    const int threads = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, std::max(1, static_cast<int>(paths.size())));
    std::vector<std::jthread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    return files;
}

void refuseRepeatedVendors(std::vector<ReturnedFile>& files)
{
    QHash<QString, QString> firstFileOf;
    for (ReturnedFile& f : files) {
        if (!f.accepted)
            continue;
        const QString key = f.vendor.trimmed().toCaseFolded();
        const auto it = firstFileOf.constFind(key);
        if (it == firstFileOf.constEnd()) {
            firstFileOf.insert(key, f.fileName());
        } else {
            f.accepted = false;
            f.refusal = Refusal::sameVendorAs(*it);
            f.offers.clear();
            f.findings.clear();
        }
    }
}

Comparison compare(const HospitalTender& tender, std::vector<ReturnedFile> files)
{
    refuseRepeatedVendors(files);
    Comparison result;
    result.lines = tender.lines;
    result.identity = tender.identity;

    // Per line, per file: the file's matching offers with their unit costs.
    std::vector<std::map<size_t, std::vector<std::pair<const Offer*, const Decimal*>>>> matching(tender.lines.size());
    for (size_t f = 0; f < files.size(); ++f) {
        const ReturnedFile& file = files[f];
        if (!file.accepted)
            continue;
        result.findings.insert(result.findings.end(), file.findings.begin(), file.findings.end());
        for (const PricedOffer& p : file.offers)
            for (size_t l : p.lines)
                matching[l][f].emplace_back(&p.offer, &*p.unitCost);
    }

    std::map<size_t, SupplierSummary> summaries;
    for (size_t f = 0; f < files.size(); ++f)
        if (files[f].accepted)
            summaries[f].vendor = files[f].vendor;

    // Rows hold exact figures, which copy rather than move: growing the vector would copy them all.
    size_t rowCount = 0;
    for (const auto& byFile : matching)
        rowCount += std::max<size_t>(1, byFile.size());
    result.rows.reserve(rowCount);
    for (size_t l = 0; l < tender.lines.size(); ++l) {
        const RequiredLine& line = tender.lines[l];
        std::vector<Competitor> competitors;
        for (auto& [f, offers] : matching[l]) {
            // A supplier competes with its lowest unit cost; between its own equal offers the brand
            // that sorts first stands, the rest are its alternatives.
            std::sort(offers.begin(), offers.end(), [](const auto& a, const auto& b) {
                if (!(*a.second == *b.second))
                    return *a.second < *b.second;
                const int byBrand = compareNames(a.first->brand, b.first->brand);
                return byBrand != 0 ? byBrand < 0 : a.first->id < b.first->id;
            });
            Competitor c{f, offers.front().first, *offers.front().second, {}};
            for (size_t i = 1; i < offers.size(); ++i)
                c.others.push_back(offers[i].first);
            competitors.push_back(std::move(c));
        }
        if (competitors.empty()) {
            StatementRow row;
            row.line = line;
            result.rows.push_back(std::move(row));
            result.findings.push_back({QString(), lineItem(line), QStringLiteral("No offer")});
            continue;
        }
        std::sort(competitors.begin(), competitors.end(), [&](const Competitor& a, const Competitor& b) {
            if (!(a.unitCost == b.unitCost))
                return a.unitCost < b.unitCost;
            const int byName = compareNames(files[a.file].vendor, files[b.file].vendor);
            return byName != 0 ? byName < 0 : a.file < b.file;
        });
        int rank = 0;
        for (size_t i = 0; i < competitors.size(); ++i) {
            const Competitor& c = competitors[i];
            if (i == 0 || !(c.unitCost == competitors[i - 1].unitCost))
                ++rank;
            StatementRow row;
            row.line = line;
            row.rank = rank;
            row.tie = (i > 0 && c.unitCost == competitors[i - 1].unitCost) ||
                      (i + 1 < competitors.size() && c.unitCost == competitors[i + 1].unitCost);
            row.vendor = files[c.file].vendor;
            row.offer = *c.best;
            row.unitCost = c.unitCost;
            row.unitMrp = *unitMrp(*c.best);
            row.yearlyValue = c.unitCost * line.qtyPerYear;
            for (const Offer* o : c.others)
                row.alternatives << QStringLiteral("%1 %2").arg(itemText(*o), unitCost(*o)->toFixed(4));
            SupplierSummary& s = summaries[c.file];
            ++s.linesOffered;
            if (rank == 1)
                ++s.linesAtL1;
            s.yearlyValue = s.yearlyValue + row.yearlyValue;
            if (i == 0)
                result.l1Total = result.l1Total + row.yearlyValue;
            result.rows.push_back(std::move(row));
        }
    }

    for (auto& [f, s] : summaries)
        result.suppliers.push_back(std::move(s));
    std::sort(result.suppliers.begin(), result.suppliers.end(),
              [](const SupplierSummary& a, const SupplierSummary& b) { return compareNames(a.vendor, b.vendor) < 0; });
    for (ReturnedFile& f : files) {
        f.offers = {};
        f.findings = {};
    }
    result.files = std::move(files);
    return result;
}

QStringList statementHeader()
{
    return {QStringLiteral("Line"), QStringLiteral("Generic"), QStringLiteral("Strength"), QStringLiteral("DrugForm"),
            QStringLiteral("DrugPacking"), QStringLiteral("QtyReqPerYear"), QStringLiteral("Rank"), QStringLiteral("Tie"),
            QStringLiteral("Vendor"), QStringLiteral("Brand"), QStringLiteral("Manufacturer"), QStringLiteral("Packing"),
            QStringLiteral("UnitsPerPack"), QStringLiteral("UnitCost"), QStringLiteral("UnitMRP"), QStringLiteral("YearlyValue")};
}

QString rankText(int rank)
{
    return rank > 0 ? QStringLiteral("L%1").arg(rank) : QString();
}

QStringList statementFields(const StatementRow& row)
{
    QStringList fields{QString::number(row.line.id), row.line.generic, row.line.strength, row.line.drugForm,
                       row.line.drugPacking, row.line.qtyPerYear.toText()};
    if (!row.hasOffer()) {
        for (int i = 0; i < 10; ++i)
            fields << QString();
        return fields;
    }
    fields << rankText(row.rank) << (row.tie ? QStringLiteral("Yes") : QString()) << row.vendor << row.offer.brand
           << row.offer.manufacturer << row.offer.packing << row.offer.unitsPerPack.toText() << row.unitCost.toFixed(4)
           << row.unitMrp.toFixed(4) << row.yearlyValue.toFixed(2);
    return fields;
}

} // namespace Tender
