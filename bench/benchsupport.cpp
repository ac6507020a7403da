#include "benchsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

double medianMs(QList<qint64> nanoseconds)
{
    if (nanoseconds.isEmpty())
        return 0;
    std::sort(nanoseconds.begin(), nanoseconds.end());
    const qsizetype middle = nanoseconds.size() / 2;
    const double median = nanoseconds.size() % 2
                              ? double(nanoseconds[middle])
                              : (nanoseconds[middle - 1] + nanoseconds[middle]) / 2.0;
    return median / 1e6;
}

double timeMs(int runs, const std::function<void()> &work)
{
    QList<qint64> samples;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        work();
        samples << clock.nsecsElapsed();
    }
    return medianMs(samples);
}

long peakMemoryKb()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}

void say(const char *text)
{
    std::fprintf(stderr, "%s\n", text);
}

QList<double> figuresFromChild(const QStringList &arguments)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    child.waitForFinished(-1);
    QList<double> figures;
    for (const QString &figure :
         QString::fromLatin1(child.readAllStandardOutput()).split(' ', Qt::SkipEmptyParts))
        figures << figure.toDouble();
    if (child.exitCode() != 0 || figures.isEmpty()) {
        std::fprintf(stderr, "the child %s failed\n", qPrintable(arguments.join(' ')));
        std::exit(1);
    }
    return figures;
}

QString findTool(const QString &name)
{
    // Debian's own copy first: a wrapper of the same name may stand earlier on the PATH.
    const QString system = QStandardPaths::findExecutable(name, {"/usr/bin"});
    return system.isEmpty() ? QStandardPaths::findExecutable(name) : system;
}

bool runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

void printTable(const QList<Row> &rows)
{
    std::printf("| measure | value | × limit | target |\n|---|---:|---:|---|\n");
    for (const Row &row : rows) {
        const QString ratio = row.limit > 0 ? QString::number(row.value / row.limit, 'f', 2) : "";
        const QString value =
            row.valueText.isEmpty()
                ? QString::number(row.value, 'f', row.value < 1 ? 3 : 1) + " " + row.unit
                : row.valueText;
        std::printf("| %s | %s | %s | %s |\n", qPrintable(row.what), qPrintable(value),
                    qPrintable(ratio), qPrintable(row.target));
    }
}
