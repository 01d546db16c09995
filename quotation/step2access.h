#pragma once

class QWidget;

// Step 2 of the wizard (frmQ2) as its companion screens reach it: the calculators and the pick-list
// dialog write straight into its controls (found by objectName) and then call its routines by name:
// "CalcCost", "FillDrugPackings", "FillDrugForms", "FillStrengths", "FillTaxes".
QWidget* step2Window();  // the loaded frmQ2, shown or hidden; nullptr when none
// Calls the named routine of the loaded Step 2; false when there is no Step 2 or no such routine.
bool callStep2(const char* routine);
