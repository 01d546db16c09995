#pragma once

class QWidget;

// Takes away the window's close box: the screen can then be left only through its own buttons and
// menus. The window manager's close request (Alt+F4) and Escape are refused as well. Always true.
bool RemoveCloseButton(QWidget* window);
