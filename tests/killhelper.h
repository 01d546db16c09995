#pragma once

#include "quotation/quotationsave.h"

#include <QString>

// The quoted item that the kill helper saves as number k: every column follows from k, so a row
// whose columns do not all belong to one k was half written.
inline QuotationSave::Values killItem(qint64 k, const QString& vendor)
{
    const QString n = QString::number(k);
    QuotationSave::Values v;
    v.vendor = vendor;
    v.generic = QStringLiteral("Generic ") + n;
    v.brand = QStringLiteral("Kill ") + n;
    v.manufacturer = QStringLiteral("Maker ") + n;
    v.hsnCode = QStringLiteral("30") + n;
    v.brandAddedByVendor = k % 2 == 0;
    v.drugPacking = QStringLiteral("Strip of 10");
    v.drugForm = QStringLiteral("Tablet");
    v.quantityInEachStripOrPack = QStringLiteral("10");
    v.drugStrength = n + QStringLiteral(" mg");
    v.costOfPackBeforeDiscountWithoutVAT = n + QStringLiteral(".25");
    v.discountPercent = QString::number(k % 50);
    v.costVATCode = QStringLiteral("GST 12%");
    v.costVATPercent = QStringLiteral("12");
    v.mrpOfPackWithoutVAT = QString::number(2 * k) + QStringLiteral(".5");
    v.mrpOfPackWithVAT = QString::number(3 * k) + QStringLiteral(".75");
    v.mrpVATCode = QStringLiteral("GST 12%");
    v.mrpVATPercent = QStringLiteral("12");
    v.creditPeriodInDays = QString::number(k % 90);
    v.deliveryPeriodInDays = QString::number(k % 30);
    v.warrantyInMonths = QString::number(k % 24);
    v.researchMolecule = k % 3 == 0;
    v.freeOfCostOffer = QStringLiteral("Offer ") + n;
    v.remarks = n;
    return v;
}
