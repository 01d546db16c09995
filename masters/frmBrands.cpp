#include "masters/frmBrands.h"

#include "app/applicationstate.h"
#include "app/focushighlight.h"
#include "app/screens.h"
#include "app/screenconventions.h"
#include "masters/masterlistrules.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>

namespace {
// Field order of the brands' description: brand name, manufacturer, generic.
constexpr int Brand = 0;
constexpr int Maker = 1;
constexpr int Generic = 2;
} // namespace

frmBrands::frmBrands(QWidget* parent) : MasterListEditor(MasterList::Brands, parent)
{
    auto* search = new QPushButton(QStringLiteral("..."), this);
    search->setObjectName(QStringLiteral("cmdCT(0)"));
    search->setToolTip(QStringLiteral("Search Generic"));
    search->setFont(QFont(QStringLiteral("Arial Narrow")));
    search->setAutoDefault(false);
    search->setFixedWidth(32);
    attachButtonHighlight(search);
    fieldRow(Generic)->insertWidget(1, search);
    connect(search, &QPushButton::clicked, this, &frmBrands::searchGeneric);

    QPushButton* byMaker = addButton(4, QStringLiteral("Filter by &Manufacturer"), QString());
    connect(byMaker, &QPushButton::clicked, this, &frmBrands::FilterByManufacturer);
    QPushButton* byGeneric = addButton(5, QStringLiteral("&Filter by &Generic"), QString());
    connect(byGeneric, &QPushButton::clicked, this, &frmBrands::FilterByGeneric);
    // Return in the manufacturer's and the generic's box runs the filter by that field.
    pressOnReturn(fieldControl(Maker), byMaker);
    pressOnReturn(fieldControl(Generic), byGeneric);
    connect(addButton(6, QStringLiteral("&Filter"), QStringLiteral("Show matching brands only")), &QPushButton::clicked,
            this, &frmBrands::FilterCombined);
}

void frmBrands::FilterByManufacturer()
{
    runFilter(brandManufacturerFilterSql(fieldValues().at(Maker)),
              QStringLiteral("Please enter few characters of a Manufacturer and then click on filter by Manufacturer."));
}

void frmBrands::FilterByGeneric()
{
    runFilter(brandGenericFilterSql(fieldValues().at(Generic)),
              QStringLiteral("Please select a generic then click on filter by Generic."));
}

void frmBrands::FilterCombined()
{
    const QStringList v = fieldValues();
    runFilter(brandCombinedFilterSql(v.at(Brand), v.at(Maker), v.at(Generic)), kind().filter.emptyRefusal);
}

void frmBrands::searchGeneric()
{
    AppState::PickListKind = 4;
    AppState::PickedItemID = 0;
    showPickList(this, dropDown()->currentText());
    if (AppState::PickedItemID == 0)
        return;
    QComboBox* generics = dropDown();
    for (int i = 0; i < generics->count(); ++i) {
        const QVariant id = generics->itemData(i);
        if (id.isValid() && id.toLongLong() == AppState::PickedItemID) {
            generics->setCurrentIndex(i);
            return;
        }
    }
}
