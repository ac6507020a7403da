#pragma once

#include "testsupport.h"
#include "windowfixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QObject>
#include <memory>

// The window listing a source folder of three small pictures, one named like a copy tag.
class SourceFixture : public WindowFixture
{
protected:
    QString source;
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
        makeWindow();
        dialog->findChild<QLineEdit *>("lineSourcePath")->setText(source);
        dialog->fillImageList(source, input());
        dialog->show();
    }
};
