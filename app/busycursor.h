#pragma once

// The hourglass for the length of a database operation, restored on every way out, errors included.
class BusyCursor
{
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    // Back to the default pointer now (the error box does this before it shows).
    static void restoreAll();

private:
    int m_generation;
};
