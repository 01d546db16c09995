#include "app/notbuiltyet.h"
#include "app/screens.h"

void showPickList(QWidget* parent)
{
    showNotBuiltYet(parent);
}

void showCostCalculator(QWidget* parent)
{
    showNotBuiltYet(parent);
}

void showMRPCalculator(QWidget* parent)
{
    showNotBuiltYet(parent);
}
