#pragma once

#include "quotation/pricing.h"

#include <QMap>
#include <QWidget>

class QLabel;
class QLineEdit;

// The read-only "COST SUMMARY" and "MRP SUMMARY" boxes that Step 2 and Step 3 both show: per pack and
// per smallest unit, each figure beside its caption label (lblPacking(i), lblLowestUnit(i)).
class SummaryBlock : public QWidget
{
public:
    // The tax amount captions per pack are lblPacking(costTaxLabel) and lblPacking(mrpTaxLabel), the
    // per-unit ones lblLowestUnit(5) and lblLowestUnit(6).
    SummaryBlock(QWidget* parent, int costTaxLabel, int mrpTaxLabel, Qt::FocusPolicy fieldFocus);

    void setFigures(const Pricing::CostSummary& cost, const Pricing::MrpSummary& mrp);
    // The figures as they stand on screen.
    Pricing::CostSummary costFigures() const;
    Pricing::MrpSummary mrpFigures() const;

    // The tax amount captions per pack and per unit; an empty text leaves that pair as it is.
    void setTaxCaptions(const QString& costTax, const QString& mrpTax);

    QLabel* packingLabel(int index) const { return m_packing.value(index); }
    QLabel* lowestUnitLabel(int index) const { return m_lowestUnit.value(index); }

private:
    int m_costTaxLabel;
    int m_mrpTaxLabel;
    QMap<int, QLabel*> m_packing;
    QMap<int, QLabel*> m_lowestUnit;
    QLineEdit* m_cost[10];  // in the order of Pricing::CostSummary
    QLineEdit* m_mrp[6];    // withoutVAT, vatAmt, withVAT, then the same per unit
};
