#include "output/pricebidrow.h"

#include "db/recordset.h"
#include "output/htmlexportfile.h"

#include <charconv>

namespace {

namespace Storage = ValueConversion::Storage;

// Text that page content would show unchanged: ASCII with nothing to escape.
bool isPlain(QByteArrayView text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80 || c == '&' || c == '<' || c == '>')
            return false;
    return true;
}

bool isSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');  // QChar::isSpace in ASCII
}

// A number column's value as PriceBidInputs::number reads it, where it is plainly stored; `quick` is
// false where the item must take the Decimal path.
struct SmallNumber {
    bool quick = false;
    std::optional<SmallRational> value;
};

SmallNumber smallNumber(const ValueConversion::StoredValue& v)
{
    switch (v.storage) {
    case Storage::Null:
        return {true, std::nullopt};
    case Storage::Integer:
        return {true, SmallRational(v.integer)};
    case Storage::Real: {
        const std::optional<SmallRational> r = SmallRational::fromShortestDouble(v.real);
        return {r.has_value(), r};
    }
    case Storage::Text: {
        std::string_view text(v.text.data(), static_cast<size_t>(v.text.size()));
        while (!text.empty() && isSpace(text.front()))
            text.remove_prefix(1);
        while (!text.empty() && isSpace(text.back()))
            text.remove_suffix(1);
        // Non-ASCII text is left to Decimal, whose digits include other scripts'.
        const std::optional<SmallRational> r = SmallRational::parse(text);
        return {r.has_value(), r};
    }
    default:
        return {};
    }
}

} // namespace

PageText::PageText(const Recordset& rs, int column)
{
    const ValueConversion::StoredValue v = rs.storedField(column);
    if (v.storage == Storage::Null)
        return;
    if (v.storage == Storage::Text && isPlain(v.text)) {
        m_bytes = std::string_view(v.text.data(), static_cast<size_t>(v.text.size()));
        return;
    }
    m_encoded = toWindows1252(htmlText(rs.field(column)));
    m_bytes = std::string_view(m_encoded.constData(), static_cast<size_t>(m_encoded.size()));
}

PageText::PageText(qint64 whole)
{
    const std::to_chars_result end = std::to_chars(m_digits, m_digits + sizeof m_digits, whole);
    m_bytes = std::string_view(m_digits, static_cast<size_t>(end.ptr - m_digits));
}

bool PageText::period(const Recordset& rs, int column, std::optional<PageText>& text)
{
    const ValueConversion::StoredValue v = rs.storedField(column);
    if (v.storage == Storage::Null)
        return false;
    if (v.storage == Storage::Integer) {
        if (v.integer == 0)
            return false;
        text.emplace(v.integer);
        return true;
    }
    // Left out at 0 however it is written; any other text shows as it is.
    const QVariant value = rs.field(column);
    const std::optional<Decimal> n = Decimal::parse(value.toString().trimmed());
    if (n && n->isZero())
        return false;
    text.emplace(rs, column);
    return true;
}

void readPriceBidCells(const Recordset& rs, const PriceBidColumns& columns, PriceBidCells& cells)
{
    const int order[6] = {columns.cost, columns.discount, columns.costTax, columns.ratio, columns.mrp, columns.mrpTax};
    SmallNumber n[6];
    bool quick = true;
    for (int i = 0; i < 6 && quick; ++i) {
        n[i] = smallNumber(rs.storedField(order[i]));
        quick = n[i].quick;
    }
    if (quick && priceBidCells(SmallPriceBidInputs{n[0].value, n[1].value, n[2].value, n[3].value, n[4].value, n[5].value}, cells))
        return;
    PriceBidInputs in;
    in.cost = PriceBidInputs::number(rs.field(columns.cost));
    in.discount = PriceBidInputs::number(rs.field(columns.discount));
    in.costTax = PriceBidInputs::number(rs.field(columns.costTax));
    in.ratio = PriceBidInputs::number(rs.field(columns.ratio));
    in.mrp = PriceBidInputs::number(rs.field(columns.mrp));
    in.mrpTax = PriceBidInputs::number(rs.field(columns.mrpTax));
    priceBidCells(in, cells);
}
