#pragma once

#include "form/quorvelform.h"

#include <QDialog>
#include <QObject>

// The form built on a bare dialog, as the form's tests look at it.
class FormFixture : public QObject
{
protected:
    QDialog *dialog = nullptr;
    QuorvelForm *form = nullptr;
    template <typename T = QWidget> T *widget(const char *name)
    {
        return dialog->findChild<T *>(QString::fromLatin1(name));
    }
    void buildForm()
    {
        dialog = new QDialog;
        form = new QuorvelForm;
        form->buildForm(dialog);
    }
    void dropForm()
    {
        delete form;
        delete dialog;
    }
};
