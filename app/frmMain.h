#pragma once

#include <QMainWindow>

class QLabel;
class QPushButton;

// The main menu: the application's one top-level window. It shows who bids for which tender and opens
// the other screens; closing it ends the application.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);

    static constexpr int ButtonCount = 11;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    QWidget* buildInstructions(QWidget* parent);
    QWidget* buildButtons(QWidget* parent);
    void Form_Load();
    void cmdMaster_Click(int index);
    void cmdReadiness_Click();
    void Command1_Click();
    // True when a vendor is known; otherwise tells the vendor to enter its details first.
    bool vendorGuard(bool editing);
    void showVendorLabel();
    void showProgress();

    QPushButton* m_cmdMaster[ButtonCount] = {};
    QLabel* m_lblInfo[ButtonCount] = {};
    QLabel* m_lblVendor = nullptr;
    QLabel* m_lblProgress = nullptr;
    QLabel* m_lblTenderDuration = nullptr;
    QLabel* m_lblHelpline1 = nullptr;
    QLabel* m_lblHelpline = nullptr;
};
