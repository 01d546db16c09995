#pragma once

class QAbstractButton;
class QBoxLayout;
class QVBoxLayout;
class QWidget;

// What every window of the application does alike, installed once on the application:
// - a window opens inside the available area of its screen, centred on the window it was opened
//   from, so no command button falls under the task bar of a 1366x768 laptop;
// - Return on a focused push button presses it, as on Windows;
// - Return on a list row does what a double click on it does;
// - a list cell cut off by its column shows its whole text as a tooltip;
// - an access key that two buttons of a window share presses the one whose group holds the focus
//   (its group box, or a box bound to it by pressOnReturn), else the first; Qt would only move the
//   focus between them.
void installScreenConventions();

// Fits `window` into the available area of its screen and centres it on its parent window (or the
// screen). Done by the conventions as each window first opens; exposed for the tests.
void fitWindowOnScreen(QWidget* window);

// The body of a window that can be taller than a laptop's screen: it scrolls, while what the caller
// adds to `root` after it (command buttons, status bar) stays in view. The window still opens at the
// body's full size where the screen has the room, and never narrower than the body.
QVBoxLayout* addScrollingBody(QWidget* window, QBoxLayout* root);

// Return in `box` (a filter box) presses `button` (the Filter beside it); the box is that button's
// group for an access key that several buttons share. Return does nothing while the button is disabled.
void pressOnReturn(QWidget* box, QAbstractButton* button);
