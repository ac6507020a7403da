#pragma once

#include "app/quorvel.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QListWidget>
#include <QObject>
#include <memory>

// The window on a first start, for the tests of its two lists.
class ListsFixture : public QObject
{
protected:
    std::unique_ptr<testsupport::Sandbox> sandbox;
    Quorvel *dialog = nullptr;
    QListWidget *input() { return dialog->findChild<QListWidget *>("lstPrintFiles"); }
    QListWidget *output() { return dialog->findChild<QListWidget *>("lstPrintFilesOutput"); }
    QLineEdit *field(const char *name) { return dialog->findChild<QLineEdit *>(name); }
    static QStringList texts(QListWidget *list)
    {
        QStringList result;
        for (int row = 0; row < list->count(); ++row)
            result << list->item(row)->text();
        return result;
    }
    void openWindow()
    {
        sandbox->clearSettings();
        dialog = new Quorvel;
        dialog->show();
    }
};
