#pragma once

// What every benchmark shares: medians, peak memory, child processes, tools and the table.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// The median of `nanoseconds`, in milliseconds.
double medianMs(QList<qint64> nanoseconds);
// Median over `runs` of the time `work` takes, in milliseconds.
double timeMs(int runs, const std::function<void()> &work);
// The peak resident memory of this process's own address space. Not getrusage(): its maximum
// carries over fork and exec, so a child would report the benchmark's own peak.
long peakMemoryKb();
// Progress, on the standard error.
void say(const char *text);
// Runs this program again with `arguments` and returns the numbers it prints.
QList<double> figuresFromChild(const QStringList &arguments);
QString findTool(const QString &name);
bool runTool(const QString &program, const QStringList &arguments);

struct Row
{
    QString what;
    double value;
    QString unit;
    double limit; // 0: no ratio
    QString target;
    QString valueText = QString(); // shown instead of the value when set
};
void printTable(const QList<Row> &rows);
