#pragma once

#include <QPointer>

// A screen's process-wide default instance: created on first use, reused while it lives, and released
// when the screen closes (its close handler calls release()), so the next opening starts afresh.
template <typename Screen>
class DefaultInstance
{
public:
    static Screen& get()
    {
        if (!slot())
            slot() = new Screen;
        return *slot();
    }
    static Screen* existing() { return slot().data(); }
    static bool exists() { return !slot().isNull(); }
    static void release()
    {
        if (Screen* s = slot().data()) {
            slot().clear();
            s->deleteLater();
        }
    }

private:
    static QPointer<Screen>& slot()
    {
        static QPointer<Screen> instance;
        return instance;
    }
};
