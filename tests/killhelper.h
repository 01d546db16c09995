#pragma once

#include "quotation/quotationdraft.h"

#include <QString>

// The quoted item that the kill helper saves as number k: every column follows from k, so a row
// whose columns do not all belong to one k was half written.
inline QuotationDraft killItem(qint64 k, const QString& vendor)
{
    const QString n = QString::number(k);
    QuotationDraft v;
    v.vendor = vendor;
    v.generic = QStringLiteral("Generic ") + n;
    v.brand = QStringLiteral("Kill ") + n;
    v.manufacturer = QStringLiteral("Maker ") + n;
    v.hsnCode = QStringLiteral("30") + n;
    v.brandAddedByVendor = k % 2 == 0;
    v.drugPacking = QStringLiteral("Strip of 10");
    v.drugForm = QStringLiteral("Tablet");
    v.quantityPerPack = QStringLiteral("10");
    v.drugStrength = n + QStringLiteral(" mg");
    v.cost = n + QStringLiteral(".25");
    v.discount = QString::number(k % 50);
    v.costTaxCode = QStringLiteral("GST 12%");
    v.costTaxPercent = QStringLiteral("12");
    v.mrpWithoutTax = QString::number(2 * k) + QStringLiteral(".5");
    v.mrpWithTax = QString::number(3 * k) + QStringLiteral(".75");
    v.mrpTaxCode = QStringLiteral("GST 12%");
    v.mrpTaxPercent = QStringLiteral("12");
    v.creditPeriodInDays = QString::number(k % 90);
    v.deliveryPeriodInDays = QString::number(k % 30);
    v.warrantyInMonths = QString::number(k % 24);
    v.researchMolecule = k % 3 == 0;
    v.freeOfCostOffer = QStringLiteral("Offer ") + n;
    v.remarks = n;
    return v;
}
