#include "accessreports.h"

namespace {
AccessReports *recording = nullptr;

void record(QAccessibleEvent *event)
{
    if (!recording || event->type() != QAccessible::Focus)
        return;
    QString description;
    if (QAccessibleInterface *told = event->accessibleInterface())
        description = told->text(QAccessible::Description);
    recording->focus.append({event->object(), event->child(), description});
}
} // namespace

AccessReports::AccessReports()
{
    recording = this;
    QAccessible::installUpdateHandler(record);
}

AccessReports::~AccessReports()
{
    QAccessible::installUpdateHandler(nullptr);
    recording = nullptr;
}

QList<int> AccessReports::childrenOf(const QObject *object) const
{
    QList<int> children;
    for (const Focus &report : focus)
        if (report.object == object)
            children << report.child;
    return children;
}
