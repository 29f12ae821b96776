#pragma once

#include <QString>

// Start-up and memory of a paint probe, a program that prints "painted" once
// its window has first been painted (see PaintProbe.h).

// Median wall time in milliseconds, over `runs` starts, from just before the
// process is started until it reports its first paint.
double medianStartupMilliseconds(const QString& program, int runs);

// Peak resident memory in MiB once the probe has painted and then run for
// `settleMs`: of its main process, and summed over it and all its descendants
// (each one's own peak, so the sum is an upper bound of the tree's peak).
struct PeakMemory
{
    double mainProcess = 0;
    double processTree = 0;
};
PeakMemory measurePeakMemory(const QString& program, int settleMs);
