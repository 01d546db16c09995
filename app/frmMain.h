#pragma once

#include <QMainWindow>

// The main menu: the application's one top-level window. Closing it ends the application.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
};
