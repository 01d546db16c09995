#pragma once

// Stand-ins for the wizard's Step 1 and Step 2 and the brands list, as the pick-list dialog and the
// calculators find them: top-level widgets by screen name, controls by name, routines by name.

#include "app/applicationstate.h"
#include "db/recordset.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <QTreeWidget>
#include <QWidget>

class FakeStep2 : public QWidget
{
    Q_OBJECT
public:
    // What the fields held each time CalcCost ran.
    struct Snapshot {
        QString cost, discount, costTax, costTaxP, mrp, mrpWithTax, mrpTax, mrpTaxP;
    };

    FakeStep2()
    {
        setObjectName(QStringLiteral("frmQ2"));
        for (const char* name : {"txtDrugPacking", "txtDrugForm", "txtDrugStrength", "txtMRP", "txtBrand",
                                 "txtGeneric", "txtManufacturer"})
            edit(name);
        edit("txtCost")->setMaxLength(12);
        edit("txtDiscount")->setMaxLength(5);
        edit("txtMRPWithTax")->setMaxLength(12);
        for (const char* name : {"cboCostVAT", "cboCostVATP", "cboMRPVAT", "cboMRPVATP", "cboDrugPacking",
                                 "cboDrugPackingP", "cboDrugForms", "cboStrength"})
            combo(name);
        FillTaxes();
        FillDrugPackings();
        FillDrugForms();
        FillStrengths();
        fills.clear();
    }

    QLineEdit* edit(const char* name)
    {
        auto* e = findChild<QLineEdit*>(QLatin1String(name));
        if (!e) {
            e = new QLineEdit(this);
            e->setObjectName(QLatin1String(name));
        }
        return e;
    }
    QComboBox* combo(const char* name)
    {
        auto* c = findChild<QComboBox*>(QLatin1String(name));
        if (!c) {
            c = new QComboBox(this);
            c->setObjectName(QLatin1String(name));
        }
        return c;
    }

    Q_INVOKABLE void CalcCost()
    {
        calcs.push_back({edit("txtCost")->text(), edit("txtDiscount")->text(), combo("cboCostVAT")->currentText(),
                         combo("cboCostVATP")->currentText(), edit("txtMRP")->text(),
                         edit("txtMRPWithTax")->text(), combo("cboMRPVAT")->currentText(),
                         combo("cboMRPVATP")->currentText()});
    }
    // Like Step 2's own routines: they append and do not clear.
    Q_INVOKABLE void FillDrugPackings()
    {
        fills << QStringLiteral("FillDrugPackings");
        fill("Select * From CT_DrugPackings Order By Description", "cboDrugPacking", "Description",
             "cboDrugPackingP", "Ratio");
    }
    Q_INVOKABLE void FillDrugForms()
    {
        fills << QStringLiteral("FillDrugForms");
        fill("Select * From CT_DrugForms Order By Description", "cboDrugForms", "Description");
    }
    Q_INVOKABLE void FillStrengths()
    {
        fills << QStringLiteral("FillStrengths");
        fill("Select * From CT_Strengths Order By Description", "cboStrength", "Description");
    }
    Q_INVOKABLE void FillTaxes()
    {
        fills << QStringLiteral("FillTaxes");
        fill("Select * From CT_Tax Order By TAX", "cboCostVAT", "Description", "cboCostVATP", "Tax");
        fill("Select * From CT_Tax Order By TAX", "cboMRPVAT", "Description", "cboMRPVATP", "Tax");
    }

    std::vector<Snapshot> calcs;
    QStringList fills;

private:
    void fill(const char* sql, const char* list, const char* column, const char* parallel = nullptr,
              const char* parallelColumn = nullptr)
    {
        Recordset rs(QLatin1String(sql), AppState::ConnectionString, CursorType::ForwardOnly, LockType::ReadOnly);
        combo(list)->addItem(QString());
        if (parallel)
            combo(parallel)->addItem(QString());
        while (!rs.eof()) {
            combo(list)->addItem(rs.field(QLatin1String(column)).toString(), rs.field(QStringLiteral("ID")));
            if (parallel)
                combo(parallel)->addItem(rs.field(QLatin1String(parallelColumn)).toString());
            rs.moveNext();
        }
    }
};

// Step 1 with one brand row selected (columns as its brand list shows them).
class FakeStep1 : public QWidget
{
public:
    FakeStep1(const QString& brand, const QString& manufacturer, const QString& generic)
    {
        setObjectName(QStringLiteral("frmQ1"));
        auto* list = new QTreeWidget(this);
        list->setObjectName(QStringLiteral("lvBrands"));
        list->setColumnCount(12);
        list->addTopLevelItem(new QTreeWidgetItem(QStringList{"B9", "Other", "Other Co", "Other generic"}));
        auto* row = new QTreeWidgetItem(QStringList{"B1", brand, manufacturer, generic, "", "Tablet", "500 mg"});
        list->addTopLevelItem(row);
        row->setSelected(true);
    }
};

// The brands list, opener of the generics pick list.
class FakeBrands : public QWidget
{
public:
    explicit FakeBrands(const QString& generic)
    {
        setObjectName(QStringLiteral("frmBrands"));
        auto* box = new QComboBox(this);
        box->setObjectName(QStringLiteral("cboGeneric"));
        box->addItem(QString());
        box->addItem(generic);
        box->setCurrentIndex(1);
    }
};
