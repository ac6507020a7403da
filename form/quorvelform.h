#pragma once

#include "ui_quorvel.h"

// The dialog's form: one pointer per widget, layout and spacer, named by object name.
// buildForm creates the widget tree, sets every text through translateForm and binds the
// dialog's on_<object>_<signal> slots by name, exactly once.
class QuorvelForm : public Ui::Quorvel
{
public:
    void buildForm(QDialog *dialog) { setupUi(dialog); }
    void translateForm(QDialog *dialog) { retranslateUi(dialog); }
};
