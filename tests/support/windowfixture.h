#pragma once

#include "app/quorvel.h"
#include "testsupport.h"

#include <QObject>
#include <QStringList>
#include <memory>

// The window under test, made on an empty settings store, with a guard that closes any dialog
// left open by mistake.
class WindowFixture : public QObject
{
protected:
    std::unique_ptr<testsupport::Sandbox> sandbox;
    std::unique_ptr<testsupport::ModalGuard> guard;
    Quorvel *dialog = nullptr;
    // A new window, not shown yet.
    void makeWindow()
    {
        sandbox->clearSettings();
        guard = std::make_unique<testsupport::ModalGuard>();
        dialog = new Quorvel;
    }
    // Closes the window; returns the titles of the dialogs that were left open.
    QStringList closeWindow()
    {
        delete dialog;
        dialog = nullptr;
        const QStringList left = guard->closed();
        guard.reset();
        return left;
    }
};
