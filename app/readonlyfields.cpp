#include "app/readonlyfields.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>
#include <QStringList>

namespace {
const QStringList SizeFields{QStringLiteral("lineIPWidth"), QStringLiteral("lineIPHeight"),
                             QStringLiteral("lineOPWidth"), QStringLiteral("lineOPHeight")};

// A line edit told as text that can be read, selected and copied, not edited.
class ReadOnlyField : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ReadOnlyField(QLineEdit *field) : QAccessibleWidget(field, QAccessible::EditableText)
    {}

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? field()->text() : QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = false;
        state.readOnly = true;
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The value is a short number: read whole whatever the unit asked for.
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return field()->cursorPosition(); }
    void setCursorPosition(int position) override { field()->setCursorPosition(position); }
    QString text(int start, int end) const override
    {
        return field()->text().mid(start, end - start);
    }
    QString textBeforeOffset(int, QAccessible::TextBoundaryType, int *start,
                             int *end) const override
    {
        *start = *end = 0;
        return QString();
    }
    QString textAfterOffset(int, QAccessible::TextBoundaryType, int *start, int *end) const override
    {
        *start = *end = characterCount();
        return QString();
    }
    QString textAtOffset(int, QAccessible::TextBoundaryType, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return field()->text();
    }
    int characterCount() const override { return int(field()->text().size()); }
    QRect characterRect(int) const override
    {
        return QRect(field()->mapToGlobal(QPoint(0, 0)), field()->size());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return field()->cursorPositionAt(field()->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return QString();
    }

private:
    QLineEdit *field() const { return static_cast<QLineEdit *>(widget()); }
};

QAccessibleInterface *sizeFieldInterface(const QString &className, QObject *object)
{
    auto *field = qobject_cast<QLineEdit *>(object);
    if (className != QLatin1String("QLineEdit") || !field ||
        !SizeFields.contains(field->objectName()))
        return nullptr;
    return new ReadOnlyField(field);
}
} // namespace

void tellSizeFieldsAsReadOnly()
{
    static const bool installed = [] {
        QAccessible::installFactory(sizeFieldInterface);
        return true;
    }();
    Q_UNUSED(installed);
}
