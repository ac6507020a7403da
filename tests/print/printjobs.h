#pragma once

// Printing through the private CUPS server the tests start: its queue, and the PDF files its
// cups-pdf queue writes for each job.

#include "testsupport.h"
#include "windowfixture.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QObject>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QProcess>
#include <QTest>
#include <memory>
#include <pwd.h>
#include <unistd.h>

// The queue of the private CUPS server; empty, with the reason in *why, when there is none.
inline QString testPrinter(QString *why)
{
    const QString queue = qEnvironmentVariable("QUORVEL_TEST_PRINTER");
    if (!queue.isEmpty() && QPrinterInfo::availablePrinterNames().contains(queue))
        return queue;
    *why = queue.isEmpty() ? QString("no CUPS test printer is named: run the tests through ctest "
                                     "as root, which starts a private CUPS server")
                           : QString("the CUPS test printer %1 is not reachable").arg(queue);
    return QString();
}

// The private queue's name into `printer`, or the case skipped where there is no printing
// system; CI sets QUORVEL_REQUIRE_PRINTER so that a missing one fails instead.
#define NEED_TEST_PRINTER(printer)                                                                 \
    do {                                                                                           \
        QString why;                                                                               \
        (printer) = testPrinter(&why);                                                             \
        if ((printer).isEmpty() && qEnvironmentVariableIntValue("QUORVEL_REQUIRE_PRINTER"))        \
            QFAIL(qPrintable(why));                                                                \
        if ((printer).isEmpty())                                                                   \
            QSKIP(qPrintable(why));                                                                \
    } while (false)

// The folder where cups-pdf writes: the job owner's home folder, as the user database names it.
inline QDir pdfFolder()
{
    return QDir(QString::fromLocal8Bit(getpwuid(getuid())->pw_dir) + "/PDF");
}

// Waits for a PDF written after `pressed` that has stopped growing; empty after `timeoutMs`. Every
// private server numbers its jobs from 1 again, so cups-pdf reuses names: only the time tells a new
// file.
inline QString waitForNewPdf(const QDateTime &pressed, int timeoutMs = 60000)
{
    const QDir folder = pdfFolder();
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < timeoutMs) {
        for (const QFileInfo &file : folder.entryInfoList({"*.pdf"}, QDir::Files)) {
            if (file.lastModified() < pressed)
                continue;
            const QString path = file.filePath();
            const qint64 size = QFileInfo(path).size();
            QTest::qWait(300);
            if (size > 0 && QFileInfo(path).size() == size)
                return path;
        }
        QTest::qWait(200);
    }
    return QString();
}

inline QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// Waits until the private server has no job left to process: a job of an earlier test, still
// being written, would otherwise pass for the next test's.
inline void waitForIdlePrinter(int timeoutMs = 60000)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < timeoutMs && !run("lpstat", {"-o"}).trimmed().isEmpty())
        QTest::qWait(200);
}

// Answers the next print dialog: chooses `printer` and prints, with what the dialog's
// Calibration tab said of it in *told.
inline void printOnNextDialog(const QString &printer, QString *told = nullptr)
{
    testsupport::answerNextModal<QPrintDialog>([printer, told](QPrintDialog *printDialog) {
        auto *printers = printDialog->findChild<QComboBox *>("printers");
        printers->setCurrentIndex(printers->findText(printer));
        if (told)
            *told = printDialog->findChild<QLabel *>("calibrationTab")->text();
        printDialog->accept();
    });
}

// The window with an output folder of its own, for the printing tests.
class PrintDesk : public WindowFixture
{
protected:
    QString destination;
    QListWidget *output() { return dialog->findChild<QListWidget *>("lstPrintFilesOutput"); }
    void openWindow()
    {
        waitForIdlePrinter();
        destination = sandbox->makeFolder("sheets");
        makeWindow();
        dialog->findChild<QLineEdit *>("lineDestPath")->setText(destination);
        dialog->show();
    }
    void showSheets() { dialog->fillImageList(destination, output()); }
};
