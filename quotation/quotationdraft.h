#pragma once

#include "quotation/pricing.h"

#include <QString>

class Recordset;

// One quoted item as the Quotation Wizard builds it, from the brand chosen in Step 1 to the row that
// Step 3 stores. Every figure is the text the vendor typed or the screen derived, exactly as it will be
// stored; the summaries are what the pricing rules derive from them (derive()). A row of a price list
// that never went through a screen is the same value, checked and stored by the same rules.
struct QuotationDraft {
    // The brand chosen in Step 1.
    QString vendor;
    QString generic;
    QString brand;
    bool brandAddedByVendor = false;

    // Step 2.
    QString manufacturer;
    QString hsnCode;
    QString drugPacking;
    QString quantityPerPack;  // the packing's ratio: smallest units in one pack
    QString drugForm;
    QString drugStrength;
    QString cost;             // one pack before discount, without tax
    QString discount;         // percent
    QString costTaxCode;
    QString costTaxPercent;
    QString mrpWithoutTax;    // derived from the MRP with tax; keeps its last value when it cannot be
    QString mrpWithTax;
    QString mrpTaxCode;
    QString mrpTaxPercent;

    // The summaries per pack and per smallest unit, as derive() left them (or as a screen shows them).
    Pricing::CostSummary costSummary;
    Pricing::MrpSummary mrpSummary;

    // Step 3: the commercial terms.
    QString creditPeriodInDays;    // as typed; a blank term is stored as 0
    QString deliveryPeriodInDays;
    QString warrantyInMonths;
    bool researchMolecule = false;
    QString freeOfCostOffer;
    QString remarks;

    Pricing::Inputs pricingInputs() const;
    // Works the summaries out afresh, and the MRP without tax from the MRP with tax when it can be.
    void derive();

    // The stored row at the recordset's current position, with its summaries derived. Null columns read
    // as empty texts.
    static QuotationDraft fromStoredRow(const Recordset& rs);
};
