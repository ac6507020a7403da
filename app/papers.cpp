#include "app/quorvel.h"

#include "app/settingskeys.h"
#include "compose/sheet.h"
#include "form/quorvelform.h"
#include "print/papers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSettings>

namespace {
// A length as typed: the locale's decimal separator or a point.
double typedLength(const QString &text)
{
    bool isNumber = false;
    const double value = QLocale().toDouble(text.trimmed(), &isNumber);
    return isNumber ? value : QLocale::c().toDouble(text.trimmed());
}

// Asks for a paper of the operator's own size; none when cancelled.
std::optional<Paper> askCustomPaper(QWidget *parent)
{
    QDialog window(parent);
    window.setObjectName(QStringLiteral("customPaper"));
    window.setWindowTitle(QCoreApplication::translate("Quorvel", "Custom paper size"));
    auto *width = new QLineEdit(&window);
    width->setObjectName(QStringLiteral("customPaperWidth"));
    auto *length = new QLineEdit(&window);
    length->setObjectName(QStringLiteral("customPaperLength"));
    auto *unit = new QComboBox(&window);
    unit->setObjectName(QStringLiteral("customPaperUnit"));
    unit->addItem(QCoreApplication::translate("Quorvel", "inches"), int(QPageSize::Inch));
    unit->addItem(QCoreApplication::translate("Quorvel", "millimetres"),
                  int(QPageSize::Millimeter));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &window);
    auto *fields = new QFormLayout(&window);
    fields->addRow(QCoreApplication::translate("Quorvel", "Width:"), width);
    fields->addRow(QCoreApplication::translate("Quorvel", "Length (a roll's up to 100 inches):"),
                   length);
    fields->addRow(QCoreApplication::translate("Quorvel", "Unit:"), unit);
    fields->addRow(buttons);
    for (QWidget *field : {static_cast<QWidget *>(width), static_cast<QWidget *>(length),
                           static_cast<QWidget *>(unit)})
        field->setAccessibleName(qobject_cast<QLabel *>(fields->labelForField(field))->text());
    auto typed = [=] {
        return customPaper(typedLength(width->text()), typedLength(length->text()),
                           QPageSize::Unit(unit->currentData().toInt()));
    };
    auto refresh = [=] { buttons->button(QDialogButtonBox::Ok)->setEnabled(typed().has_value()); };
    QObject::connect(width, &QLineEdit::textChanged, &window, refresh);
    QObject::connect(length, &QLineEdit::textChanged, &window, refresh);
    QObject::connect(unit, &QComboBox::currentIndexChanged, &window, refresh);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &window, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
    refresh();
    if (window.exec() != QDialog::Accepted)
        return std::nullopt;
    return typed();
}
} // namespace

void Quorvel::addPaperChoice()
{
    papers = standardPapers();
    papers += printerPapers(QPrinterInfo::defaultPrinter(), papers);
    for (const Paper &paper : std::as_const(papers))
        form->cmbPaper->addItem(paper.name);
    form->cmbPaper->addItem(tr("Custom size\u2026"));
    connect(form->cmbPaper, &QComboBox::activated, this, [this](int index) {
        if (index < papers.size()) {
            choosePaper(papers[index]);
        } else if (const std::optional<Paper> custom = askCustomPaper(this)) {
            choosePaper(*custom);
        } else {
            // Cancelled: the paper stays as it was.
            showPaper(papers[shownPaper]);
        }
    });
    form->chkMoreSheets->setChecked(settings->value(SettingsKey::MoreSheets, "false").toString() ==
                                    QLatin1String("true"));
    connect(form->chkMoreSheets, &QCheckBox::toggled, this, [this](bool more) {
        settings->setValue(SettingsKey::MoreSheets,
                           more ? QStringLiteral("true") : QStringLiteral("false"));
    });
}

void Quorvel::restorePaper()
{
    const QString name = settings->value(SettingsKey::LastPaper).toString();
    // Without a stored paper, A4, as the window always started.
    if (name.isEmpty())
        return showPaper(papers.first());
    const auto known =
        std::find_if(papers.begin(), papers.end(), [&](const Paper &p) { return p.name == name; });
    if (known != papers.end())
        return showPaper(*known);
    if (const std::optional<Paper> custom = customPaperNamed(name))
        return showPaper(*custom);
    // A paper of a printer no longer the default: the size it was.
    const QString width = settings->value(SettingsKey::LastOPWidth).toString();
    const QString length = settings->value(SettingsKey::LastOPHeight).toString();
    const bool usable = inchesToPixels(width) > 0 && inchesToPixels(length) > 0 &&
                        width.toDouble() <= LongestPaperInches &&
                        length.toDouble() <= LongestPaperInches;
    showPaper(usable ? paperOfSize(name, width, length) : papers.first());
}

void Quorvel::showPaper(const Paper &paper)
{
    auto shown = std::find_if(papers.begin(), papers.end(),
                              [&](const Paper &known) { return known.name == paper.name; });
    if (shown == papers.end()) {
        // The operator's own size joins the papers, before "Custom size…".
        form->cmbPaper->insertItem(int(papers.size()), paper.name);
        papers << paper;
        shown = papers.end() - 1;
    }
    shownPaper = int(shown - papers.begin());
    form->cmbPaper->setCurrentIndex(shownPaper);
    form->lineOPWidth->setText(paper.widthInches);
    form->lineOPHeight->setText(paper.lengthInches);
    // A preset is down while its paper is chosen, and neither for another paper: the buttons'
    // own exclusivity would keep one down.
    for (QPushButton *preset : {form->btnA4, form->btnA3}) {
        preset->setAutoExclusive(false);
        preset->setChecked(preset->text() == paper.name);
        preset->setAutoExclusive(true);
    }
}

void Quorvel::choosePaper(const Paper &paper)
{
    showPaper(paper);
    settings->setValue(SettingsKey::LastPaper, paper.name);
    settings->setValue(SettingsKey::LastOPWidth, paper.widthInches);
    settings->setValue(SettingsKey::LastOPHeight, paper.lengthInches);
}
