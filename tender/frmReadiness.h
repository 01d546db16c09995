#pragma once

#include "tender/readiness.h"
#include "tender/submission.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// Bid Readiness: which of the hospital's lines the bid covers and at what price, what could get it
// disqualified, and the verified copy with its receipt that the vendor hands over.
class frmReadiness : public QDialog
{
    Q_OBJECT
public:
    explicit frmReadiness(QWidget* parent = nullptr);

    // Data role of a lvLines row: the ID of the quoted item shown on it (0: unquoted).
    static constexpr int TagRole = Qt::UserRole;

public slots:
    void done(int result) override;

private:
    void Form_Load();
    void showLines();
    void lvLines_DblClick(QTreeWidgetItem* line);
    void cmdExport();
    void cmdSubmit();
    // Signs a copy just written; the lines the closing message adds, empty when it was not signed.
    QString signCopy(const Tender::SubmissionResult& copy);

    Tender::Readiness m_readiness;
    QTreeWidget* lvLines = nullptr;
    QTreeWidget* lvFindings = nullptr;
    QCheckBox* chkUnquoted = nullptr;
    QCheckBox* chkSign = nullptr;
    QLabel* lblTotals = nullptr;
};
