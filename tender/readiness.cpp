#include "tender/readiness.h"

#include "db/keyedfile.h"

#include <QHash>
#include <QStringList>

namespace {

using namespace Tender;

const QString VendorItem = QStringLiteral("Vendor details");

QString formKey(const QString& generic, const QString& form)
{
    return matchKey(generic) + QChar(0x1f) + matchKey(form);
}

struct TaxRate {
    QString codeKey;  // as matching sees it
    Decimal rate;
};

std::vector<TaxRate> readTaxes(const KeyedFile& file)
{
    std::vector<TaxRate> taxes;
    file.forEachRow(QStringLiteral("SELECT Description, Tax FROM CT_Tax"), [&](const KeyedFile::Row& row) {
        taxes.push_back({matchKey(row.text(0)), Decimal::parse(row.text(1).trimmed()).value_or(Decimal())});
    });
    return taxes;
}

// A code the tender dropped or whose rate it changed since the item was quoted.
bool taxHeld(const std::vector<TaxRate>& taxes, const QString& code, const Decimal& rate)
{
    const QString key = matchKey(code);
    for (const TaxRate& t : taxes)
        if (t.codeKey == key)
            return t.rate == rate;
    return false;
}

QStringList missingVendorDetails(const KeyedFile& file)
{
    QStringList missing{QStringLiteral("GST number"), QStringLiteral("state"), QStringLiteral("address")};
    file.forEachRow(QStringLiteral("SELECT TINNumber, State, Address FROM CT_Vendor LIMIT 1"),
                    [&](const KeyedFile::Row& row) {
                        QStringList stillMissing;
                        for (int i = 0; i < 3; ++i)
                            if (row.text(i).trimmed().isEmpty())
                                stillMissing << missing[i];
                        missing = stillMissing;
                    });
    return missing;
}

void addItemFindings(std::vector<ReadinessFinding>& findings, const Offer& o, const std::vector<TaxRate>& taxes,
                     bool required)
{
    const auto add = [&](const QString& problem) { findings.push_back({o.id, itemText(o), problem}); };
    for (const QString& problem : pricingProblems(o))
        add(problem);
    if (!taxHeld(taxes, o.costTaxCode, o.costTax))
        add(QStringLiteral("Cost tax %1 at %2% is not in the tender's tax list").arg(o.costTaxCode, o.costTax.toText()));
    if (!taxHeld(taxes, o.mrpTaxCode, o.mrpTax))
        add(QStringLiteral("MRP tax %1 at %2% is not in the tender's tax list").arg(o.mrpTaxCode, o.mrpTax.toText()));
    if (o.hsnCode.trimmed().size() < 4)
        add(QStringLiteral("HSN code shorter than 4 digits"));
    if (!required)
        add(QStringLiteral("Not in the hospital's requirement"));
}

} // namespace

namespace Tender {

Readiness readReadiness(const KeyedFile& file)
{
    Readiness r;
    const std::vector<Offer> offers = readOffers(file);
    r.quotedItems = static_cast<long>(offers.size());
    std::vector<bool> required(offers.size(), false);
    // The main menu works this out each time it comes back: each line meets only the offers of its
    // generic and form, not every offer of a large tender.
    QHash<QString, std::vector<size_t>> offersByKey;
    std::vector<std::optional<Decimal>> costs;
    costs.reserve(offers.size());
    for (size_t i = 0; i < offers.size(); ++i) {
        offersByKey[formKey(offers[i].generic, offers[i].drugForm)].push_back(i);
        costs.push_back(unitCost(offers[i]));
    }
    for (RequiredLine& line : readRequiredLines(file)) {
        LineCoverage c;
        std::optional<size_t> best;
        for (size_t i : offersByKey.value(formKey(line.generic, line.drugForm))) {
            if (!matches(line, offers[i]))
                continue;
            required[i] = true;
            if (!best || (costs[i] && (!costs[*best] || *costs[i] < *costs[*best])))
                best = i;
        }
        if (best) {
            c.best = offers[*best];
            c.unitCost = costs[*best];
        }
        if (c.best)
            ++r.covered;
        if (c.unitCost)
            c.yearlyValue = *c.unitCost * line.qtyPerYear;
        r.bidValue = r.bidValue + c.yearlyValue;
        c.line = std::move(line);
        r.lines.push_back(std::move(c));
    }
    const QStringList missing = missingVendorDetails(file);
    if (!missing.isEmpty())
        r.findings.push_back({0, VendorItem, QStringLiteral("Incomplete: ") + missing.join(QStringLiteral(", "))});
    const std::vector<TaxRate> taxes = readTaxes(file);
    for (size_t i = 0; i < offers.size(); ++i)
        addItemFindings(r.findings, offers[i], taxes, required[i]);
    return r;
}

QString totalsText(const Readiness& r)
{
    return QStringLiteral("Covered %1 of %2 lines \u00b7 bid value at yearly quantities: %3")
        .arg(r.covered)
        .arg(r.lines.size())
        .arg(r.bidValue.toFixed(2));
}

std::vector<Sheets::Sheet> readinessSheets(const Readiness& r)
{
    using Sheets::Cell;
    Sheets::Sheet lines{QStringLiteral("Lines"),
                        {QStringLiteral("LINE"), QStringLiteral("GENERIC"), QStringLiteral("STRENGTH"), QStringLiteral("FORM"),
                         QStringLiteral("QTY/YEAR"), QStringLiteral("QUOTED"), QStringLiteral("BRAND"),
                         QStringLiteral("UNIT COST"), QStringLiteral("YEARLY VALUE")},
                        {}, {}};
    for (const LineCoverage& c : r.lines) {
        lines.addRow({Cell::number(QString::number(c.line.id), 0), Cell::textCell(c.line.generic),
                      Cell::textCell(c.line.strength), Cell::textCell(c.line.drugForm),
                      Cell::number(c.line.qtyPerYear.toText(), 0), Cell::textCell(c.quoted() ? "Yes" : "No"),
                      Cell::textCell(c.best ? c.best->brand : QString()),
                      c.unitCost ? Cell::number(c.unitCost->toFixed(4), 4) : Cell::empty(),
                      c.unitCost ? Cell::number(c.yearlyValue.toFixed(2), 2) : Cell::empty()},
                     !c.quoted());
    }
    Sheets::Sheet findings{QStringLiteral("Findings"), {QStringLiteral("ITEM"), QStringLiteral("PROBLEM")}, {}, {}};
    for (const ReadinessFinding& f : r.findings)
        findings.addRow({Cell::textCell(f.item), Cell::textCell(f.problem)});
    return {lines, findings};
}

} // namespace Tender
