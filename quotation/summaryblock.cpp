#include "quotation/summaryblock.h"

#include "quotation/unitcaptions.h"
#include "quotation/wizardwidgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

QString* costSlots(Pricing::CostSummary& c, int i)
{
    QString* fields[] = {&c.costBefDisc,   &c.discAmt,   &c.costAftDisc,   &c.vatAmt,   &c.costAftVAT,
                        &c.costLUBefDisc, &c.luDiscAmt, &c.costLUAftDisc, &c.luVATAmt, &c.costLUAftVAT};
    return fields[i];
}

QString* mrpSlots(Pricing::MrpSummary& m, int i)
{
    QString* fields[] = {&m.withoutVAT, &m.vatAmt, &m.withVAT, &m.withoutVATLU, &m.vatAmtLU, &m.withVATLU};
    return fields[i];
}

} // namespace

SummaryBlock::SummaryBlock(QWidget* parent, int costTaxLabel, int mrpTaxLabel, Qt::FocusPolicy fieldFocus)
    : QWidget(parent), m_costTaxLabel(costTaxLabel), m_mrpTaxLabel(mrpTaxLabel)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    // One line: a caption (named when it is one of the label arrays) and its read-only figure.
    auto addLine = [&](QGridLayout* g, int r, int col, QMap<int, QLabel*>* array, int index, const QString& caption,
                       const char* field) {
        QLabel* l = captionLabel(g->parentWidget(), caption);
        if (array) {
            l->setObjectName(QStringLiteral("%1(%2)").arg(array == &m_packing ? "lblPacking" : "lblLowestUnit").arg(index));
            array->insert(index, l);
        }
        auto* e = new QLineEdit(g->parentWidget());
        e->setObjectName(QLatin1String(field));
        e->setReadOnly(true);
        e->setAlignment(Qt::AlignRight);
        e->setFixedWidth(110);
        e->setFocusPolicy(fieldFocus);
        QPalette p = e->palette();
        p.setColor(QPalette::Base, p.color(QPalette::Button));
        e->setPalette(p);
        g->addWidget(l, r, col);
        g->addWidget(e, r, col + 1);
        return e;
    };
    using namespace UnitCaptions;
    const QString discount = QStringLiteral("Discount Amount");

    auto* cost = new QGroupBox(QStringLiteral("COST SUMMARY"), this);
    auto* cg = new QGridLayout(cost);
    m_cost[0] = addLine(cg, 0, 0, &m_packing, 0, packing(0, {}), "txtCostBefDisc");
    m_cost[1] = addLine(cg, 1, 0, nullptr, 0, discount, "txtDiscAmt");
    m_cost[2] = addLine(cg, 2, 0, &m_packing, 1, packing(1, {}), "txtCostAftDisc");
    m_cost[3] = addLine(cg, 3, 0, &m_packing, costTaxLabel, QStringLiteral("Cost Tax Amount"), "txtVATAmt");
    m_cost[4] = addLine(cg, 4, 0, &m_packing, 2, packing(2, {}), "txtCostAftVAT");
    m_cost[5] = addLine(cg, 0, 2, &m_lowestUnit, 0, lowestUnit(0, {}), "txtCostLUBefDisc");
    m_cost[6] = addLine(cg, 1, 2, nullptr, 0, discount, "txtLUDiscAmt");
    m_cost[7] = addLine(cg, 2, 2, &m_lowestUnit, 1, lowestUnit(1, {}), "txtCostLUAftDisc");
    m_cost[8] = addLine(cg, 3, 2, &m_lowestUnit, 5, QStringLiteral("Cost Tax Amount"), "txtLUVATAmt");
    m_cost[9] = addLine(cg, 4, 2, &m_lowestUnit, 2, lowestUnit(2, {}), "txtCostLUAftVAT");
    cg->setColumnStretch(0, 1);
    cg->setColumnStretch(2, 1);
    row->addWidget(cost, 3);

    auto* mrp = new QGroupBox(QStringLiteral("MRP SUMMARY"), this);
    auto* mg = new QGridLayout(mrp);
    m_mrp[0] = addLine(mg, 0, 0, &m_packing, 5, packing(5, {}), "txtMRPWithoutVAT");
    m_mrp[1] = addLine(mg, 1, 0, &m_packing, mrpTaxLabel, QStringLiteral("MRP Tax Amount"), "txtMRPVATAmt");
    m_mrp[2] = addLine(mg, 2, 0, &m_packing, 4, packing(4, {}), "txtMRPWithVAT");
    m_mrp[3] = addLine(mg, 3, 0, &m_lowestUnit, 4, lowestUnit(4, {}), "txtMRPWithoutVATLU");
    m_mrp[4] = addLine(mg, 4, 0, &m_lowestUnit, 6, QStringLiteral("MRP Tax Amount"), "txtMRPVATAmtLU");
    m_mrp[5] = addLine(mg, 5, 0, &m_lowestUnit, 3, lowestUnit(3, {}), "txtMRPWithVATLU");
    mg->setColumnStretch(0, 1);
    row->addWidget(mrp, 2);
}

void SummaryBlock::setFigures(const Pricing::CostSummary& cost, const Pricing::MrpSummary& mrp)
{
    Pricing::CostSummary c = cost;
    Pricing::MrpSummary m = mrp;
    for (int i = 0; i < 10; ++i)
        m_cost[i]->setText(*costSlots(c, i));
    for (int i = 0; i < 6; ++i)
        m_mrp[i]->setText(*mrpSlots(m, i));
}

Pricing::CostSummary SummaryBlock::costFigures() const
{
    Pricing::CostSummary c;
    for (int i = 0; i < 10; ++i)
        *costSlots(c, i) = m_cost[i]->text();
    c.computed = !c.costBefDisc.isEmpty();
    return c;
}

Pricing::MrpSummary SummaryBlock::mrpFigures() const
{
    Pricing::MrpSummary m;
    for (int i = 0; i < 6; ++i)
        *mrpSlots(m, i) = m_mrp[i]->text();
    m.computed = !m.withoutVAT.isEmpty();
    return m;
}

void SummaryBlock::setTaxCaptions(const QString& costTax, const QString& mrpTax)
{
    if (!costTax.isEmpty()) {
        m_packing[m_costTaxLabel]->setText(costTax);
        m_lowestUnit[5]->setText(costTax);
    }
    if (!mrpTax.isEmpty()) {
        m_packing[m_mrpTaxLabel]->setText(mrpTax);
        m_lowestUnit[6]->setText(mrpTax);
    }
}
