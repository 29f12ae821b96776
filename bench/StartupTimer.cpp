#include "bench/StartupTimer.h"

#include "bench/Bench.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

namespace {

// Starts the probe and returns once it has reported its paint.
void startUntilPainted(QProcess& process, const Probe& probe, const QStringList& extra = {})
{
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(probe.program, probe.arguments + extra);
    QByteArray output;
    while (!output.contains("painted")) {
        if (!process.waitForReadyRead(20000))
            qFatal("%s never reported its paint", qPrintable(probe.program));
        output += process.readAllStandardOutput();
    }
}

// The value in kB of a "Name:   123 kB" line of /proc/PID/status.
double statusKilobytes(qint64 pid, const QByteArray& name)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(name + ':'))
            return line.mid(name.size() + 1).trimmed().split(' ').value(0).toDouble();
    }
    return 0;
}

qint64 parentOf(const QString& pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // The command name may hold spaces; the fields after it are fixed.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return fields.value(1).toLongLong();
}

QList<qint64> descendantsOf(qint64 root)
{
    QMultiHash<qint64, qint64> children;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (isPid)
            children.insert(parentOf(entry), pid);
    }
    QList<qint64> tree{root};
    for (qsizetype i = 0; i < tree.size(); ++i)
        tree += children.values(tree[i]);
    return tree;
}

} // namespace

std::vector<double> medianStartupMilliseconds(const std::vector<Probe>& probes, int runs)
{
    std::vector<std::vector<double>> times(probes.size());
    for (int run = 0; run < runs; ++run) {
        for (std::size_t i = 0; i < probes.size(); ++i) {
            QProcess process;
            QElapsedTimer timer;
            timer.start();
            startUntilPainted(process, probes[i]);
            times[i].push_back(double(timer.nsecsElapsed()) / 1e6);
            process.waitForFinished(20000);
        }
    }
    std::vector<double> medians;
    medians.reserve(times.size());
    for (std::vector<double>& probeTimes : times)
        medians.push_back(median(probeTimes));
    return medians;
}

PeakMemory measurePeakMemory(const Probe& probe, int settleMs)
{
    QProcess process;
    startUntilPainted(process, probe, {QStringLiteral("--stay")});
    QThread::msleep(settleMs);

    PeakMemory memory;
    const qint64 main = process.processId();
    memory.mainProcess = statusKilobytes(main, "VmHWM") / 1024.0;
    for (const qint64 pid : descendantsOf(main))
        memory.processTree += statusKilobytes(pid, "VmHWM") / 1024.0;
    process.kill();
    process.waitForFinished(20000);
    return memory;
}
