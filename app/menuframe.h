#pragma once

#include <QString>

class QGridLayout;
class QLayout;
class QLabel;
class QMenuBar;
class QPushButton;
class QStatusBar;
class QToolBar;
class QVBoxLayout;
class QWidget;

// One command of a menu-like screen: the button cmdMaster(index) and, beside it, the label
// lblInfo(index) that explains it and stands out while the button has the focus.
struct MenuCommand {
    QPushButton* button = nullptr;
    QLabel* info = nullptr;
};
MenuCommand createMenuCommand(QWidget* parent, int index, const QString& caption, const QString& info);

// The frame shared by the menu-like screens, so that every one has the same margins, heading, button
// sizes, tool bar style and status bar: from top to bottom the menu bar and the tool bar (for the
// screens that have them), the body with the heading and the grid of commands, then the status bar.
class MenuFrame
{
public:
    // Without a heading text the body starts with the commands.
    MenuFrame(QWidget* screen, const QString& heading, const QString& headingName = QStringLiteral("lblHeading"));

    QMenuBar* menuBar();   // made on first use
    QToolBar* toolBar();   // tBar1, text beside the icon; made on first use
    QLabel* heading() const { return m_heading; }

    // The next row of the command grid.
    MenuCommand addCommand(int index, const QString& caption, const QString& info);
    // Content below the command grid (help lines, a password box, a progress bar, a list). The body's
    // spare height stays at its foot unless a widget is added with a stretch, which then takes it.
    void addBelow(QWidget* widget, int stretch = 0);
    void addBelow(QLayout* layout);
    QStatusBar* statusBar() const { return m_statusBar; }

private:
    QWidget* m_screen;
    QVBoxLayout* m_layout;
    QWidget* m_body;
    QLabel* m_heading = nullptr;
    QGridLayout* m_grid;
    QVBoxLayout* m_below;
    QStatusBar* m_statusBar;
    QMenuBar* m_menuBar = nullptr;
    QToolBar* m_toolBar = nullptr;
    int m_rows = 0;
};
