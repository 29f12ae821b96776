#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

// The median of `times`, which it reorders.
inline double median(std::vector<double>& times)
{
    std::nth_element(times.begin(), times.begin() + std::ssize(times) / 2, times.end());
    return times[times.size() / 2];
}

// Runs `step` `runs` times, each after an untimed `prepare`, and returns the
// median wall time of `step` in milliseconds.
template <typename Prepare, typename Step>
double medianMilliseconds(int runs, Prepare&& prepare, Step&& step)
{
    std::vector<double> times;
    times.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        step();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(times);
}

// Runs `step` `runs` times and returns the median wall time in milliseconds.
template <typename Step> double medianMilliseconds(int runs, Step&& step)
{
    return medianMilliseconds(
        runs, [] {}, step);
}

// One line of the report: what, the figure, its unit and the target.
inline void printFigure(const char* what, double value, const char* unit, const char* target)
{
    std::printf("%-48s %10.3f %-3s  (target %s)\n", what, value, unit, target);
    std::fflush(stdout);
}
