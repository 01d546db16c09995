#pragma once

// A stand-in for the wizard's Step 2 as the calculators and the pick-list dialog meet it: it hands out
// an item and records what comes back.

#include "quotation/step2link.h"

#include <QWidget>
#include <vector>

class FakeStep2 : public QWidget, public Step2Link
{
public:
    // What one applyCost or applyMrp call handed back.
    struct Result {
        QString figure;   // the cost before discount, or the MRP without tax
        QString second;   // the discount, or the MRP with tax
        QString taxCode;
    };

    FakeStep2()
    {
        item.brand = QStringLiteral("Crocin 500");
        item.manufacturer = QStringLiteral("Typed in Step 2");
        item.drugPacking = QStringLiteral("Strip of 10");
        item.drugForm = QStringLiteral("Tablet");
    }

    QuotationDraft draft() const override { return item; }
    QString chosenBrandManufacturer() const override { return QStringLiteral("GSK"); }
    void applyCost(const QString& cost, const QString& discount, const QString& taxCode) override
    {
        costs.push_back({cost, discount, taxCode});
    }
    void applyMrp(const QString& mrp, const QString& mrpWithTax, const QString& taxCode) override
    {
        mrps.push_back({mrp, mrpWithTax, taxCode});
    }
    void refillList(int kind) override { refills.push_back(kind); }

    QuotationDraft item;
    std::vector<Result> costs;
    std::vector<Result> mrps;
    std::vector<int> refills;
};
