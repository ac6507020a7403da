#pragma once

#include <QMutex>
#include <QStringList>
#include <QWaitCondition>

// Pictures whose decoding waits at a gate the test opens, so that tests can keep decoding
// threads busy for as long as they need, and see in which order files were decoded, without
// timing. Any PNG file whose name starts with "gated" is read by a test-only Qt image plug-in
// (GatedPlugin, linked in with Q_IMPORT_PLUGIN(GatedPlugin)) as a 10 x 10 green picture.
namespace testsupport {

class Gate
{
public:
    // Called by each decode: records the file and waits until the gate is open.
    void pass(const QString &fileName);
    void finished();
    void setOpen(bool isOpen);
    // Opens the gate after `ms` unless it was opened before: a listing that waits for held
    // decodes after all then fails its test instead of hanging.
    void openAfter(int ms);
    // Decodes waiting at the gate now.
    int held() const;
    // Files that reached the gate, in order, and how many decodes have finished.
    QStringList reached() const;
    int finishedCount() const;
    // Closes the gate and forgets what passed.
    void reset();

private:
    mutable QMutex mutex;
    QWaitCondition change;
    QStringList arrived;
    int waiting = 0;
    int done = 0;
    bool open = true;
};

Gate &gate();

} // namespace testsupport
