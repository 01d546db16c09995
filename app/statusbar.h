#pragma once

class QStatusBar;
class QWidget;

// The status bar `sBar` at the bottom of most screens: CAPS, NUM, INS (and SCRL on the main menu),
// then the time and the date. No screen writes to it. A lock panel shows its word in full colour while
// the lock is on and greyed while it is off; the states follow the lock keys pressed while the
// application runs, since the windowing system reports no lock states to a program.
QStatusBar* createStatusBar(QWidget* parent, bool withScrollLock = false);
