#pragma once

#include <QAccessible>
#include <QList>
#include <QObject>
#include <QString>

// What the platform's accessibility bridge is handed while one of these lives: each focus
// report, by object and child, with the description the reported object gave at that moment
// (what a screen reader speaks with the focus). Reports reach a handler only where a bridge is
// active: tests/atspi-session.sh runs the cases that need one.
class AccessReports
{
public:
    struct Focus
    {
        QObject *object;
        int child;
        QString description;
    };
    AccessReports();
    ~AccessReports();
    QList<Focus> focus;
    // The children of `object` told as focused, in order (-1: the object itself).
    QList<int> childrenOf(const QObject *object) const;
};

// Skips a case that needs an accessibility bridge where there is none, and fails it where one
// is required (QUORVEL_REQUIRE_ATSPI, set by the session script's CTest entries).
#define NEED_ACCESSIBILITY_BRIDGE()                                                                \
    do {                                                                                           \
        if (qEnvironmentVariableIntValue("QUORVEL_REQUIRE_ATSPI"))                                 \
            QTRY_VERIFY(QAccessible::isActive());                                                  \
        else if (!QAccessible::isActive())                                                         \
            QSKIP("no accessibility bridge here: tests/atspi-session.sh runs this on one");        \
    } while (false)
