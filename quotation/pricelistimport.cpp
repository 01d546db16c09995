#include "quotation/pricelistimport.h"

#include "app/applicationstate.h"
#include "db/csvreader.h"
#include "db/dberror.h"
#include "db/recordset.h"
#include "db/tenderdatabase.h"
#include "quotation/quotationchecks.h"
#include "quotation/quotationsave.h"
#include "quotation/quoteditemssheet.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>

namespace PriceListImport {

namespace {

QString folded(const QString& text)
{
    return text.trimmed().toCaseFolded();
}

struct Brand {
    QString description, generic, manufacturer, form, strength;
    bool addedByVendor = false;
};

struct Tender {
    QHash<QString, Brand> brands;  // by folded description
    QStringList brandNames;
    QHash<QString, std::pair<QString, QString>> packings;  // description, ratio
    QHash<QString, std::pair<QString, QString>> taxes;     // description, percent
    QHash<QString, qint64> quoted;  // brand, packing, form, strength as stored -> ID
};

QString quotedKey(const QString& brand, const QString& packing, const QString& form, const QString& strength)
{
    return brand + QChar(0x1F) + packing + QChar(0x1F) + form + QChar(0x1F) + strength;
}

QString text(const Recordset& rs, int index)
{
    const QVariant v = rs.field(index);
    return v.isNull() ? QString() : v.toString();
}

Tender readTender()
{
    Tender t;
    const QString& cs = AppState::ConnectionString;
    {
        Recordset rs(QStringLiteral("Select * From CT_Brands"), cs, CursorType::ForwardOnly, LockType::ReadOnly);
        const int d = rs.fieldIndex(QStringLiteral("Description")), g = rs.fieldIndex(QStringLiteral("Generic")),
                  m = rs.fieldIndex(QStringLiteral("Manufacturer")), f = rs.fieldIndex(QStringLiteral("DrugForm")),
                  s = rs.fieldIndex(QStringLiteral("DrugStrength")), v = rs.fieldIndex(QStringLiteral("AddedByVendor"));
        t.brands.reserve(static_cast<qsizetype>(rs.recordCount()));
        for (; !rs.eof(); rs.moveNext()) {
            Brand b{text(rs, d), text(rs, g), text(rs, m), text(rs, f), text(rs, s), rs.field(v).toBool()};
            t.brandNames << b.description;
            t.brands.insert(folded(b.description), std::move(b));
        }
    }
    auto readList = [&](const char* table, const char* valueColumn, QHash<QString, std::pair<QString, QString>>& into) {
        Recordset rs(QStringLiteral("Select * From ") + QLatin1String(table), cs, CursorType::ForwardOnly, LockType::ReadOnly);
        const int d = rs.fieldIndex(QStringLiteral("Description")), v = rs.fieldIndex(QLatin1String(valueColumn));
        for (; !rs.eof(); rs.moveNext())
            into.insert(folded(text(rs, d)), {text(rs, d), text(rs, v)});
    };
    readList("CT_DrugPackings", "Ratio", t.packings);
    readList("CT_Tax", "Tax", t.taxes);
    Recordset rs(QStringLiteral("Select ID, Brand, DrugPacking, DrugForm, DrugStrength From Quotations"), cs,
                 CursorType::ForwardOnly, LockType::ReadOnly);
    for (; !rs.eof(); rs.moveNext())
        t.quoted.insert(quotedKey(text(rs, 1), text(rs, 2), text(rs, 3), text(rs, 4)), rs.field(0).toLongLong());
    return t;
}

int editDistance(const QString& a, const QString& b)
{
    std::vector<int> row(static_cast<size_t>(b.size()) + 1);
    for (size_t j = 0; j < row.size(); ++j)
        row[j] = static_cast<int>(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = static_cast<int>(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[static_cast<size_t>(j)];
            row[static_cast<size_t>(j)] = std::min({above + 1, row[static_cast<size_t>(j - 1)] + 1,
                                                     diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row.back();
}

// The brand the vendor most likely meant: a few typing slips away, shorter names needing closer matches.
QString closestBrand(const Tender& t, const QString& typed)
{
    const QString want = folded(typed);
    const int allowed = std::max(1, static_cast<int>(want.size()) / 5);
    QString best;
    int bestDistance = allowed + 1;
    for (const QString& name : t.brandNames) {
        const QString candidate = name.toCaseFolded();
        if (std::abs(static_cast<int>(candidate.size() - want.size())) >= bestDistance)
            continue;
        const int d = editDistance(want, candidate);
        if (d < bestDistance) {
            bestDistance = d;
            best = name;
        }
    }
    return best;
}

bool wholeNumber(const QString& text)
{
    const QString t = text.trimmed();
    return t.isEmpty() || (t.size() <= 9 && std::all_of(t.begin(), t.end(), [](QChar c) { return c.isDigit() && c.unicode() < 128; }));
}

bool yes(const QString& text)
{
    const QString t = folded(text);
    return t == u"yes" || t == u"true" || t == u"1";
}

// Where each column of the sheet lies in the file's header, -1 when the file does not give it.
class Columns
{
public:
    explicit Columns(const QStringList& header)
    {
        for (qsizetype i = 0; i < header.size(); ++i)
            m_index.insert(folded(header[i]), static_cast<int>(i));
        for (const char* required : {"Brand", "DrugPacking", "CostOfPackBeforeDiscountWithoutVAT", "Discount%",
                                     "CostVATCode", "MRPOfPackWithVAT"})
            if (index(required) < 0)
                throw Sheets::ReadError(QStringLiteral("The price list has no column '%1'.").arg(QuotedItemsSheet::header(required)));
    }
    int index(const char* stored) const { return m_index.value(folded(QuotedItemsSheet::header(stored)), -1); }
    QString value(const Sheets::ReadRow& row, const char* stored) const
    {
        const int i = index(stored);
        return i >= 0 && i < row.cells.size() ? row.cells[i].trimmed() : QString();
    }

private:
    QHash<QString, int> m_index;
};

// One row through the wizard's road: matched, derived, checked; `line.item` is ready to store unless refused.
void prepareLine(Line& line, const Sheets::ReadRow& row, const Columns& c, const Tender& t, const QString& vendor,
                 QHash<QString, int>& seen)
{
    auto refuse = [&](const QString& reason) {
        line.action = Action::Refused;
        line.reason = reason;
    };
    const auto brand = t.brands.constFind(folded(line.brand));
    if (brand == t.brands.cend()) {
        const QString near = line.brand.isEmpty() ? QString() : closestBrand(t, line.brand);
        return refuse(QStringLiteral("Brand not in the tender's list") +
                      (near.isEmpty() ? QString() : QStringLiteral("; did you mean %1?").arg(near)));
    }
    const auto packing = t.packings.constFind(folded(line.packing));
    if (packing == t.packings.cend())
        return refuse(QStringLiteral("Packing not in the tender's list"));
    const QString costTaxText = c.value(row, "CostVATCode");
    // A price list usually names one tax code; a blank MRP tax code is the cost's.
    const QString mrpTaxText = c.value(row, "MRPVATCode").isEmpty() ? costTaxText : c.value(row, "MRPVATCode");
    const auto costTax = t.taxes.constFind(folded(costTaxText));
    const auto mrpTax = t.taxes.constFind(folded(mrpTaxText));
    if (costTax == t.taxes.cend() || mrpTax == t.taxes.cend())
        return refuse(QStringLiteral("Tax code not in the tender's list"));
    for (const char* term : {"CreditPeriodInDays", "DeliveryPeriodInDays", "WarrantyInMonths"})
        if (!wholeNumber(c.value(row, term)))
            return refuse(QStringLiteral("%1 is not a whole number").arg(QuotedItemsSheet::header(term)));

    QuotationDraft& d = line.item;
    auto givenOr = [&](const char* stored, const QString& fallback) {
        const QString v = c.value(row, stored);
        return v.isEmpty() ? fallback : v;
    };
    d.vendor = vendor;
    d.brand = brand->description;
    d.brandAddedByVendor = brand->addedByVendor;
    d.generic = givenOr("Generic", brand->generic);
    d.manufacturer = givenOr("Manufacturer", brand->manufacturer);
    d.drugForm = givenOr("DrugForm", brand->form);
    d.drugStrength = givenOr("DrugStrength", brand->strength);
    d.hsnCode = c.value(row, "HSNCode");
    d.drugPacking = packing->first;
    d.quantityPerPack = packing->second;
    d.cost = c.value(row, "CostOfPackBeforeDiscountWithoutVAT");
    d.discount = c.value(row, "Discount%");
    d.costTaxCode = costTax->first;
    d.costTaxPercent = costTax->second;
    d.mrpWithTax = c.value(row, "MRPOfPackWithVAT");
    d.mrpTaxCode = mrpTax->first;
    d.mrpTaxPercent = mrpTax->second;
    d.creditPeriodInDays = c.value(row, "CreditPeriodInDays");
    d.deliveryPeriodInDays = c.value(row, "DeliveryPeriodInDays");
    d.warrantyInMonths = c.value(row, "WarrantyInMonths");
    d.researchMolecule = yes(c.value(row, "ResearchMolecule"));
    d.freeOfCostOffer = c.value(row, "FreeOfCostOffer");
    d.remarks = c.value(row, "Remarks");

    d.derive();
    // A discount above 99 is refused as the vendor leaves the field, before Next is ever reached.
    std::optional<QuotationChecks::Failure> failure = QuotationChecks::checkDiscountLeft(d);
    // Nobody is there to answer the wizard's question about a cost of 0: its question is the reason.
    QString unanswered;
    if (!failure)
        failure = QuotationChecks::checkNext(d, [&](const QString& question) {
            unanswered = question;
            return false;
        });
    if (failure)
        return refuse(failure->message.isEmpty() ? unanswered : failure->message);

    // Only a row that would be stored holds its key: a refused row corrected further down is no repeat.
    const QString key = quotedKey(d.brand, d.drugPacking, d.drugForm, d.drugStrength);
    if (const auto earlier = seen.constFind(key); earlier != seen.cend())
        return refuse(QStringLiteral("Repeated in this file at line %1").arg(*earlier));
    seen.insert(key, line.line);

    const auto quoted = t.quoted.constFind(key);
    line.action = quoted == t.quoted.cend() ? Action::New : Action::Update;
    line.id = quoted == t.quoted.cend() ? 0 : *quoted;
}

} // namespace

std::vector<Sheets::ReadRow> readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Sheets::ReadError(QStringLiteral("Cannot read '%1': %2").arg(path, file.errorString()));
    if (file.size() > Sheets::MaxWorkbookBytes)
        throw Sheets::ReadError(QStringLiteral("The file is larger than %1 MB; it cannot be a price list.")
                                    .arg(Sheets::MaxWorkbookBytes / (1024 * 1024)));
    const QByteArray bytes = file.readAll();
    if (QFileInfo(path).suffix().compare(QStringLiteral("xlsx"), Qt::CaseInsensitive) == 0)
        return Sheets::readXlsx(bytes);
    std::vector<Sheets::ReadRow> rows;
    try {
        for (CsvRecord& record : parseCsv(QFileInfo(path).fileName(), bytes)) {
            Sheets::ReadRow row{record.line, {}};
            for (const CsvField& f : record.fields)
                row.cells << f.text;
            if (!(row.cells.size() == 1 && row.cells[0].isEmpty()))
                rows.push_back(std::move(row));
        }
    } catch (const CsvError& e) {
        throw Sheets::ReadError(e.text());
    }
    return rows;
}

QString actionText(Action action)
{
    switch (action) {
    case Action::New: return QStringLiteral("New");
    case Action::Update: return QStringLiteral("Update");
    case Action::Refused: break;
    }
    return QStringLiteral("Refused");
}

int Preview::count(Action action) const
{
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [action](const Line& l) { return l.action == action; }));
}

QString Preview::summary() const
{
    return QStringLiteral("%1 new, %2 updated, %3 refused").arg(count(Action::New)).arg(count(Action::Update)).arg(count(Action::Refused));
}

Preview prepare(const std::vector<Sheets::ReadRow>& rows, const QString& vendor)
{
    if (rows.empty())
        throw Sheets::ReadError(QStringLiteral("The price list is empty."));
    const Columns columns(rows.front().cells);
    const Tender tender = readTender();
    Preview preview;
    preview.lines.reserve(rows.size());
    QHash<QString, int> seen;
    for (size_t r = 1; r < rows.size(); ++r) {
        Line line;
        line.line = rows[r].line;
        line.brand = columns.value(rows[r], "Brand");
        line.packing = columns.value(rows[r], "DrugPacking");
        prepareLine(line, rows[r], columns, tender, vendor, seen);
        preview.lines.push_back(std::move(line));
    }
    return preview;
}

int apply(const Preview& preview, const QDateTime& now)
{
    DbTransaction transaction(AppState::ConnectionString);
    // The save rules look for the item among those already quoted once per new row, and with no index
    // on the four columns each look reads the whole table: a list of N rows cost N^2. The tender file's
    // schema is fixed (the hospital's tools read it), so the index lives only inside this transaction:
    // dropped before the commit, and rolled back with the rows on any failure.
    transaction.execute("CREATE INDEX PriceListImportQuotedKey ON Quotations (Brand, DrugPacking, DrugForm, DrugStrength)");
    int stored = 0;
    for (const Line& line : preview.lines) {
        if (line.action == Action::Refused)
            continue;
        const bool update = line.action == Action::Update;
        const QuotationSave::Outcome outcome =
            QuotationSave::save(line.item, update, update ? QVariant(line.id) : QVariant(), now);
        // The list changed since the preview (another row took the key, or the row went): nothing is kept.
        if (outcome.refusal != QuotationSave::Refusal::None)
            throw DbError(0, QStringLiteral("Import"), QStringLiteral("Line %1: %2").arg(line.line).arg(outcome.message));
        ++stored;
    }
    transaction.execute("DROP INDEX PriceListImportQuotedKey");
    transaction.commit();
    return stored;
}

} // namespace PriceListImport
