#pragma once

#include "output/reportengine.h"

#include <QDialog>

class QPushButton;

// The report printing screen: one button per printable list; each shows its report in the print
// preview, from which the vendor prints it or saves it as PDF. Stays open for several reports in turn.
class frmCrystal : public QDialog
{
    Q_OBJECT
public:
    explicit frmCrystal(QWidget* parent = nullptr);

    void cmdMaster_Click(int index);
    void mnuBack_Click();

    // Button index -> template file name, report title, and whether the heading formulas are set.
    struct Report {
        const char* caption;
        const char* info;
        const char* templateName;
        const char* title;
        bool headingFormulas;
    };
    static const Report& report(int index);
    static constexpr int ReportCount = 8;
    static constexpr int CloseIndex = 6;

public slots:
    void done(int result) override;

private:
    void printReport(const Report& report);

    ReportEngine CR;
};
