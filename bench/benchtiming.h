#pragma once

// Timing shared by the benchmark programs, and the engine's own read that the lists are set against.
#include "app/applicationstate.h"
#include "db/tenderdatabase.h"

#include <QElapsedTimer>
#include <algorithm>
#include <ctime>
#include <functional>
#include <sqlite3.h>
#include <vector>

namespace Bench {

inline double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The median wall time of `runs` runs; the median processor time goes to `cpu`, which a busy machine
// disturbs less.
inline double medianMs(int runs, const std::function<void()>& work, double* cpu = nullptr)
{
    std::vector<double> times, cpuTimes;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        const double c = cpuMs();
        t.start();
        work();
        times.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        cpuTimes.push_back(cpuMs() - c);
    }
    std::sort(times.begin(), times.end());
    std::sort(cpuTimes.begin(), cpuTimes.end());
    if (cpu)
        *cpu = cpuTimes[cpuTimes.size() / 2];
    return times[times.size() / 2];
}

// The quickest of `runs` runs: the machine is shared, and the best run is the least disturbed one.
inline double bestMs(int runs, const std::function<void()>& work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        best = std::min(best, static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    return best;
}

// Every column of every row as text, straight from the engine; the number of rows.
inline long rawRead(const char* sql)
{
    long rows = 0;
    sqlite3_exec(TenderDatabase::connection(AppState::ConnectionString), sql,
                 [](void* count, int, char**, char**) {
                     ++*static_cast<long*>(count);
                     return 0;
                 },
                 &rows, nullptr);
    return rows;
}

} // namespace Bench
