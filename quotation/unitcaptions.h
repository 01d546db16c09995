#pragma once

#include <QString>

// The captions that carry the unit words of the chosen packing and drug form: lblPacking(i) speaks of
// one pack, lblLowestUnit(i) of one smallest unit. Without a packing or form they show their design
// captions. Step 2 shows them as the vendor chooses; Step 3 shows the same for the item it saves.
namespace UnitCaptions {

inline constexpr int PackingLabels[] = {0, 1, 2, 4, 5, 6, 7, 10};
inline constexpr int LowestUnitLabels[] = {0, 1, 2, 3, 4};

QString packing(int index, const QString& packing);
QString lowestUnit(int index, const QString& form);

// lblPacking(3), over the quantity in one pack: as a packing is chosen the counted forms take "(s)";
// as a form is chosen they do not.
QString quantityDesign();
QString quantityForPacking(const QString& form, const QString& packing);
QString quantityForForm(const QString& form, const QString& packing);

QString costTaxAmount(const QString& code);  // "Cost Tax Amount (code)"
QString mrpTaxAmount(const QString& code);   // "MRP Tax Amount (code)"

} // namespace UnitCaptions
