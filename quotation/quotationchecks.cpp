#include "quotation/quotationchecks.h"

#include "app/decimal.h"
#include "quotation/quotationdraft.h"

namespace QuotationChecks {

namespace {

const QString CRLF = QStringLiteral("\r\n");

Failure refuse(const QString& message, Field focus)
{
    return Failure{message, focus, Failure::Box::Info, false};
}

bool numeric(const QString& text)
{
    return Decimal::isNumeric(text);
}

Decimal value(const QString& text)
{
    return Decimal::leadingNumber(text);
}

// Both texts are numbers and the first is not above the second.
bool notAbove(const QString& a, const QString& b)
{
    return numeric(a) && numeric(b) && value(a) <= value(b);
}

bool summariesComplete(const QuotationDraft& d)
{
    const Pricing::CostSummary& c = d.costSummary;
    const Pricing::MrpSummary& m = d.mrpSummary;
    for (const QString* figure : {&c.costBefDisc, &c.discAmt, &c.costAftDisc, &c.vatAmt, &c.costAftVAT,
                                  &c.costLUBefDisc, &c.luDiscAmt, &c.costLUAftDisc, &c.luVATAmt, &c.costLUAftVAT,
                                  &m.withVAT, &m.vatAmt, &m.withoutVAT, &m.withVATLU, &m.vatAmtLU, &m.withoutVATLU})
        if (!numeric(*figure))
            return false;
    return true;
}

} // namespace

QString controlName(Field field)
{
    switch (field) {
    case Field::None: return QString();
    case Field::Manufacturer: return QStringLiteral("txtManufacturer");
    case Field::HSNCode: return QStringLiteral("txtHSNCode");
    case Field::DrugPacking: return QStringLiteral("txtDrugPacking");
    case Field::DrugForm: return QStringLiteral("txtDrugForm");
    case Field::DrugStrength: return QStringLiteral("txtDrugStrength");
    case Field::Cost: return QStringLiteral("txtCost");
    case Field::Discount: return QStringLiteral("txtDiscount");
    case Field::CostTax: return QStringLiteral("cboCostVAT");
    case Field::MRPWithTax: return QStringLiteral("txtMRPWithTax");
    case Field::MRP: return QStringLiteral("txtMRP");
    case Field::MRPTax: return QStringLiteral("cboMRPVAT");
    }
    return QString();
}

std::optional<Failure> checkNext(const QuotationDraft& d, const Question& goOnWithZeroCost)
{
    if (d.manufacturer.isEmpty())
        return refuse(QStringLiteral("Please enter manufacturer name before moving to step 3"),
                      Field::Manufacturer);
    if (d.hsnCode.isEmpty())
        return refuse(QStringLiteral("Please enter HSN Code of medicine before moving to step 3"),
                      Field::HSNCode);
    if (d.hsnCode.size() < 4)
        return refuse(QStringLiteral("Please enter minimum 4 digit HSN code."), Field::HSNCode);
    if (d.drugPacking.isEmpty())
        return refuse(QStringLiteral("Please select drug packing before moving to step 3"),
                      Field::DrugPacking);
    if (d.drugForm.isEmpty())
        return refuse(QStringLiteral("Please select drug form before moving to step 3"), Field::DrugForm);
    if (d.drugStrength.isEmpty())
        return refuse(QStringLiteral("Please select drug strength before moving to step 3"),
                      Field::DrugStrength);
    // A ratio of 0 is a number but no usable divisor: the per-unit figures cannot exist.
    if (!Pricing::isUsableQuantity(d.quantityPerPack))
        return refuse(QStringLiteral("The conversion ratio is not correct. Please rectify through drug packing "
                                     "before moving to step 3"),
                      Field::DrugPacking);
    if (!numeric(d.cost))
        return refuse(QStringLiteral("Please enter 'cost before discount without Tax' before moving to step 3"),
                      Field::Cost);
    if (value(d.cost).isZero() &&
        !goOnWithZeroCost(QStringLiteral("You have entered Rs. 0 in the cost price! Do you still want to continue?")))
        return refuse(QString(), Field::Cost);
    if (!numeric(d.discount))
        return refuse(QStringLiteral("Please enter discount % before moving to step 3"), Field::Discount);
    if (d.costTaxCode.isEmpty())
        return refuse(QStringLiteral("Please select cost Tax before moving to step 3"), Field::CostTax);
    if (!numeric(d.mrpWithTax))
        return refuse(QStringLiteral("Please enter MRP before moving to step 3"), Field::MRPWithTax);
    if (!numeric(d.mrpWithoutTax))
        return refuse(QStringLiteral("Please enter MRP without Tax before moving to step 3"), Field::MRP);
    if (d.mrpTaxCode.isEmpty())
        return refuse(QStringLiteral("Please select MRP Tax before moving to step 3"), Field::MRPTax);
    if (d.costTaxCode != d.mrpTaxCode)
        return Failure{QStringLiteral("Cost Tax: ") + d.costTaxCode + CRLF + QStringLiteral("MRP Tax: ") + d.mrpTaxCode +
                           CRLF + QStringLiteral("Cost Tax is not equal to MRP Tax.") + CRLF + CRLF +
                           QStringLiteral("Please recheck and correct Tax%?"),
                       Field::CostTax, Failure::Box::Warning, false};
    if (d.drugForm.isEmpty() || d.drugStrength.isEmpty() || d.drugPacking.isEmpty() || d.costTaxCode.isEmpty() ||
        !summariesComplete(d))
        return refuse(QStringLiteral("Please complete the form, before moving to step 3"), Field::None);
    if (value(d.mrpWithoutTax) <= value(d.cost))
        return Failure{QStringLiteral("MRP cannot be <= Cost. Please correct."), Field::MRPWithTax,
                       Failure::Box::Info, true};
    return std::nullopt;
}

std::optional<Failure> checkMrpPrerequisites(const QuotationDraft& d)
{
    std::optional<Failure> f;
    if (d.cost.isEmpty())
        f = refuse(QStringLiteral("Please enter cost of the item first."), Field::Cost);
    else if (d.discount.isEmpty())
        f = refuse(QStringLiteral("Please enter discount of the item first. Enter 0 if no discount."),
                   Field::Discount);
    else if (d.costTaxCode.isEmpty())
        f = refuse(QStringLiteral("Please select tax of the item first."), Field::CostTax);
    if (f)
        f->focusFirst = true;
    return f;
}

std::optional<Failure> checkHsnCodeLeft(const QuotationDraft& d)
{
    if (d.hsnCode.size() < 4)
        return refuse(QStringLiteral("Please enter minimum 4 digit HSN code."), Field::None);
    return std::nullopt;
}

std::optional<Failure> checkCostLeft(const QuotationDraft& d)
{
    if (notAbove(d.mrpWithoutTax, d.cost))
        return refuse(QStringLiteral("Cost cannot be >= MRP. Please correct."), Field::None);
    return std::nullopt;
}

std::optional<Failure> checkMrpLeft(const QuotationDraft& d)
{
    if (notAbove(d.mrpWithoutTax, d.cost))
        return refuse(QStringLiteral("MRP cannot be <= Cost. Please correct."), Field::None);
    return std::nullopt;
}

std::optional<Failure> checkMrpWithTaxLeft(const QuotationDraft& d)
{
    if (notAbove(d.mrpWithTax, d.costSummary.costAftVAT))
        return refuse(QStringLiteral("MRP cannot be <= Cost with tax. Please correct."), Field::None);
    return std::nullopt;
}

std::optional<Failure> checkDiscountLeft(const QuotationDraft& d)
{
    if (value(d.discount) > Decimal(99))
        return refuse(QStringLiteral("Dicount cannot me more then 99%"), Field::Discount);
    return std::nullopt;
}

} // namespace QuotationChecks
