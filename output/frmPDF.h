#pragma once

#include <QDialog>

// Opens the hospital's ready PDF of the quantities required per year in the system's viewer.
class frmPDF : public QDialog
{
    Q_OBJECT
public:
    explicit frmPDF(QWidget* parent = nullptr);

    void cmdMaster_Click(int index);

public slots:
    void done(int result) override;
};
