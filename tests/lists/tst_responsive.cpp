#include "app/quorvel.h"
#include "testsupport.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTest>

using namespace testsupport;

// The window stays usable while a folder of 500 pictures is being listed.
class ResponsiveTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void refreshWhileListing();
    void browseWhileListing();
    void goWhileListing();
    void closeWhileListing();

private:
    std::unique_ptr<Sandbox> sandbox;
    std::unique_ptr<ModalGuard> guard;
    QString big;
    QString small;
    QStringList bigNames;
    Quorvel *dialog = nullptr;
    QListWidget *input() { return dialog->findChild<QListWidget *>("lstPrintFiles"); }
    QPushButton *button(const char *name) { return dialog->findChild<QPushButton *>(name); }
    QStringList texts()
    {
        QStringList result;
        for (int row = 0; row < input()->count(); ++row)
            result << input()->item(row)->text();
        return result;
    }
    // Runs `during` once the list being filled from the big folder holds `after` items.
    void whenListed(int after, const std::function<void()> &during);
};

void ResponsiveTest::initTestCase()
{
    sandbox = std::make_unique<Sandbox>();
    big = sandbox->makeFolder("five-hundred");
    for (int i = 0; i < 500; ++i) {
        const QString name = QString("p%1.png").arg(i, 3, 10, QChar('0'));
        writePicture(big + "/" + name, solidPicture({96, 64}, QColor::fromHsv(i % 360, 200, 200)));
        bigNames << name;
    }
    small = sandbox->makeFolder("three");
    for (const char *name : {"a.png", "b.png", "c.png"})
        writePicture(small + "/" + name, solidPicture({96, 64}, Qt::red));
}

void ResponsiveTest::init()
{
    sandbox->clearSettings();
    guard = std::make_unique<ModalGuard>();
    dialog = new Quorvel;
    dialog->findChild<QLineEdit *>("lineSourcePath")->setText(big);
    dialog->findChild<QLineEdit *>("lineDestPath")->setText(sandbox->makeFolder("sheets"));
    dialog->show();
}

void ResponsiveTest::cleanup()
{
    delete dialog;
    QCOMPARE(guard->closed(), QStringList());
    guard.reset();
}

void ResponsiveTest::whenListed(int after, const std::function<void()> &during)
{
    auto *timer = new QTimer(dialog);
    QObject::connect(timer, &QTimer::timeout, dialog, [=] {
        if (input()->count() >= after) {
            timer->stop();
            during();
        }
    });
    timer->start(0);
}

void ResponsiveTest::refreshWhileListing()
{
    bool pressed = false;
    whenListed(50, [&] {
        pressed = true;
        QTest::mouseClick(button("btnRefreshSrc"), Qt::LeftButton);
    });
    QTest::mouseClick(button("btnRefreshSrc"), Qt::LeftButton);
    QVERIFY(pressed);
    QCOMPARE(texts(), bigNames);
    QCOMPARE(input()->currentRow(), 0);
}

void ResponsiveTest::browseWhileListing()
{
    whenListed(50, [&] {
        answerNextModal<QFileDialog>([&](QFileDialog *chooser) {
            chooser->setDirectory(small);
            static_cast<QDialog *>(chooser)->accept();
        });
        QTest::mouseClick(button("btnBrowseSourcePath"), Qt::LeftButton);
    });
    QTest::mouseClick(button("btnRefreshSrc"), Qt::LeftButton);
    QCOMPARE(texts(), QStringList({"a.png", "b.png", "c.png"}));
    QCOMPARE(QSettings("Morvane", "Quorvel").value("LastSourcePath").toString(), small);
}

void ResponsiveTest::goWhileListing()
{
    QList<MessageSeen> messages;
    whenListed(50, [&] {
        input()->clearSelection();
        input()->item(3)->setSelected(true);
        MessageRecorder recorder;
        QTest::mouseClick(button("btnGenerate"), Qt::LeftButton);
        messages = recorder.messages;
    });
    QTest::mouseClick(button("btnRefreshSrc"), Qt::LeftButton);
    // Go ran at once, inside the listing, which then went on to the end.
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, "Task Completed");
    QCOMPARE(texts(), bigNames);
}

void ResponsiveTest::closeWhileListing()
{
    const ProbeRun run = runExitProbe(EXIT_PROBE, *sandbox, {"close-while-listing", big});
    QCOMPARE(run.exitCode, 1);
    QSettings stored(run.settingsFile, QSettings::IniFormat);
    QCOMPARE(stored.value("LastOPWidth").toString(), "8.27");
    QCOMPARE(stored.value("LastOPHeight").toString(), "11.69");
}

QTEST_MAIN(ResponsiveTest)
#include "tst_responsive.moc"
