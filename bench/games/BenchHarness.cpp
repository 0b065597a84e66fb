#include "BenchHarness.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <algorithm>
#include <cstdio>

BenchResult Measure(const BenchAction& action, int iterations)
{
    std::vector<double> times;
    times.reserve(size_t(iterations));
    QElapsedTimer clock;
    for (int i = 0; i < iterations; ++i) {
        if (action.prepare) action.prepare();
        QCoreApplication::processEvents();
        clock.start();
        action.act();
        QCoreApplication::processEvents();
        const QPixmap shot = action.window->grab();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
        Q_UNUSED(shot);
    }
    std::sort(times.begin(), times.end());
    return {action.name, times[times.size() / 2], times.back(), iterations};
}

bool Report(const std::vector<BenchResult>& results, double budgetMs)
{
    bool ok = true;
    for (const BenchResult& r : results) {
        const bool within = r.medianMs < budgetMs;
        ok = ok && within;
        std::printf("%-40s median %7.3f ms  max %7.3f ms  (%d runs)  %s\n", qPrintable(r.name), r.medianMs, r.maxMs,
                    r.iterations, within ? "ok" : "TOO SLOW");
    }
    return ok;
}
