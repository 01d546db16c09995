#pragma once

#include "masters/masterlisteditor.h"

// The brands member of the Master List Editor: besides the word filter on the brand name it filters by
// manufacturer, by generic and by all three together, and picks the generic through the pick list.
class frmBrands : public MasterListEditor
{
    Q_OBJECT
public:
    explicit frmBrands(QWidget* parent = nullptr);

    void FilterByManufacturer();
    void FilterByGeneric();
    void FilterCombined();

private:
    void searchGeneric();
};
