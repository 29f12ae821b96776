#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// Start-up and memory of a paint probe, a program that prints "painted" once
// its window has first been painted (see PaintProbe.h).
struct Probe
{
    QString program;
    QStringList arguments;
};

// For each probe, the median wall time in milliseconds over `runs` starts,
// from just before the process is started until it reports its paint. The
// probes take turns, one start each per round, so that a change in the
// machine's load falls on all of them alike.
std::vector<double> medianStartupMilliseconds(const std::vector<Probe>& probes, int runs);

// Peak resident memory in MiB once the probe has painted and then run for
// `settleMs`: of its main process, and summed over it and all its descendants
// (each one's own peak, so the sum is an upper bound of the tree's peak).
struct PeakMemory
{
    double mainProcess = 0;
    double processTree = 0;
};
PeakMemory measurePeakMemory(const Probe& probe, int settleMs);
