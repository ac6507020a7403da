#pragma once

#include "app/quorvel.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QListWidget>
#include <QObject>
#include <memory>

// The window listing a source folder of three small pictures, one named like a copy tag.
class SourceFixture : public QObject
{
protected:
    std::unique_ptr<testsupport::Sandbox> sandbox;
    QString source;
    Quorvel *dialog = nullptr;
    std::unique_ptr<testsupport::ModalGuard> guard;
    QListWidget *input() { return dialog->findChild<QListWidget *>("lstPrintFiles"); }
    QListWidgetItem *itemNamed(const QString &text)
    {
        const auto found = input()->findItems(text, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    }
    void makeSource()
    {
        sandbox = std::make_unique<testsupport::Sandbox>();
        source = sandbox->makeFolder("source");
        for (const char *name : {"beach.jpg", "two words.jpg", "<draft>.jpg"})
            writePicture(source + "/" + name, solidPicture({30, 20}, Qt::red), "jpeg");
    }
    void openWindow()
    {
        sandbox->clearSettings();
        guard = std::make_unique<testsupport::ModalGuard>();
        dialog = new Quorvel;
        dialog->findChild<QLineEdit *>("lineSourcePath")->setText(source);
        dialog->fillImageList(source, input());
        dialog->show();
    }
    // Closes the window; no dialog may have been left open.
    QStringList closeWindow()
    {
        delete dialog;
        const QStringList left = guard->closed();
        guard.reset();
        return left;
    }
};
