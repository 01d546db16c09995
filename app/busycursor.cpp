#include "app/busycursor.h"

#include <QApplication>
#include <QCursor>

namespace {
// Bumped by restoreAll, so a guard whose cursor was already taken down does not pop another one.
int g_generation = 0;
int g_depth = 0;
}

BusyCursor::BusyCursor() : m_generation(g_generation)
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    ++g_depth;
}

BusyCursor::~BusyCursor()
{
    if (m_generation == g_generation && g_depth > 0) {
        --g_depth;
        QApplication::restoreOverrideCursor();
    }
}

void BusyCursor::restoreAll()
{
    while (g_depth > 0) {
        QApplication::restoreOverrideCursor();
        --g_depth;
    }
    ++g_generation;
}
