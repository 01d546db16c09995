#pragma once

class QAbstractButton;
class QWidget;

// Takes away the window's close box: the screen can then be left only through its own buttons and
// menus. The window manager's close request (Alt+F4) is refused as well; Escape presses `escapeButton`
// (the screen's Close) where the screen has one that hands nothing back, and is refused otherwise.
// Always true.
bool RemoveCloseButton(QWidget* window, QAbstractButton* escapeButton = nullptr);
