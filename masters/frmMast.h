#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The master tables menu: the brands editor is always open, the four lists the hospital maintains
// only after a helpline password. The unlock lives in the buttons alone, so every opening is locked.
class frmMast : public QDialog
{
    Q_OBJECT
public:
    explicit frmMast(QWidget* parent = nullptr);

    void cmdMaster_Click(int index);
    void cmdUnlock_Click();

private:
    QPushButton* m_buttons[6] = {};
    QLabel* m_info[6] = {};
    QLineEdit* m_password = nullptr;
};
