#include "app/QtPrompt.h"

#include "dialogs/FontDialog.h"
#include "dialogs/StyleConversions.h"
#include "dialogs/TEingabeF.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QHBoxLayout>
#include <QDialogButtonBox>

using namespace Qt::Literals::StringLiterals;

namespace {
// German button texts whatever translation is installed.
struct ButtonText
{
    QMessageBox::StandardButton button;
    QString text;
};

// The box with buttons in the order given; defaultButton (NoButton: the first) answers Enter.
QMessageBox::StandardButton showBox(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                                    std::initializer_list<ButtonText> buttons,
                                    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
{
    // Two messages are joined by one carriage return; a CR alone breaks no line in every style.
    QString shown = text;
    shown.replace(u"\r\n"_s, u"\n"_s);
    shown.replace(u'\r', u'\n');
    QMessageBox box(icon, QApplication::applicationName(), shown, QMessageBox::NoButton, parent);
    for (const ButtonText &entry : buttons)
        box.addButton(entry.button)->setText(entry.text);
    box.setDefaultButton(defaultButton != QMessageBox::NoButton ? defaultButton : buttons.begin()->button);
    if (buttons.size() == 3)
        box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    return box.standardButton(box.clickedButton());
}

Prompt::Answer toAnswer(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Yes:
        return Prompt::Answer::Yes;
    case QMessageBox::No:
        return Prompt::Answer::No;
    default:
        return Prompt::Answer::Cancel;
    }
}
} // namespace

QWidget *QtPrompt::dialogParent() const
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget *active = QApplication::activeWindow())
        return active;
    return m_parent;
}

void QtPrompt::error(const QString &text)
{
    showBox(dialogParent(), QMessageBox::Critical, text, {{QMessageBox::Ok, u"OK"_s}});
}

void QtPrompt::warning(const QString &text)
{
    showBox(dialogParent(), QMessageBox::Warning, text, {{QMessageBox::Ok, u"OK"_s}});
}

Prompt::Answer QtPrompt::askYesNo(const QString &text)
{
    const auto button =
        showBox(dialogParent(), QMessageBox::Warning, text, {{QMessageBox::Yes, u"&Ja"_s}, {QMessageBox::No, u"&Nein"_s}});
    // Closing the box counts as No.
    return button == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

Prompt::Answer QtPrompt::askYesNoDefaultNo(const QString &text)
{
    const auto button = showBox(dialogParent(), QMessageBox::Warning, text,
                                {{QMessageBox::Yes, u"&Ja"_s}, {QMessageBox::No, u"&Nein"_s}}, QMessageBox::No);
    return button == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

Prompt::Answer QtPrompt::askYesNoCancel(const QString &text)
{
    return toAnswer(
        showBox(dialogParent(), QMessageBox::Warning, text,
                {{QMessageBox::Yes, u"&Ja"_s}, {QMessageBox::No, u"&Nein"_s}, {QMessageBox::Cancel, u"Abbrechen"_s}}));
}

void QtPrompt::beep()
{
    QApplication::beep();
}

bool QtPrompt::askName(const QString &caption, const QString &label, int maxLength, QString &name)
{
    if (m_inputDialog)
        return m_inputDialog->askName(caption, label, maxLength, name);
    QInputDialog dialog(dialogParent());
    dialog.setWindowTitle(caption);
    dialog.setLabelText(label);
    dialog.setTextValue(name);
    dialog.setOkButtonText(u"OK"_s);
    dialog.setCancelButtonText(u"Abbrechen"_s);
    if (auto *edit = dialog.findChild<QLineEdit *>())
        edit->setMaxLength(maxLength);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    name = dialog.textValue();
    return true;
}

bool QtPrompt::chooseOpenFile(const QString &folder, const QString &filterName, const QString &pattern,
                              const QString &defaultSuffix, const QString &proposedFile, QString &path)
{
    QFileDialog dialog(dialogParent(), QString(), folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Patterns come as "*.RVX;*.RVP"; Qt separates them with blanks.
    QString qtPattern = pattern;
    qtPattern.replace(u';', u' ');
    dialog.setNameFilter(filterName + u" ("_s + qtPattern + u')');
    dialog.setDefaultSuffix(defaultSuffix);
    if (!proposedFile.isEmpty())
        dialog.selectFile(proposedFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    return true;
}

bool QtPrompt::chooseFolder(const QString &folder, QString &chosen)
{
    // ReadOnly: choosing a folder never offers to create one.
    const QString result = QFileDialog::getExistingDirectory(dialogParent(), QString(), folder,
                                                             QFileDialog::ShowDirsOnly | QFileDialog::ReadOnly);
    if (result.isEmpty())
        return false;
    chosen = QDir::toNativeSeparators(result);
    return true;
}

bool QtPrompt::chooseFont(FontChoice &font)
{
    FontDialog dialog(font, [this](TColor &colour) { return chooseColour(colour); }, dialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    font = dialog.choice();
    return true;
}

bool QtPrompt::chooseColour(TColor &colour)
{
    // TColor holds red in the lowest byte.
    const QColor start = screenColour(colour);
    const QColor chosen = QColorDialog::getColor(start, dialogParent());
    if (!chosen.isValid())
        return false;
    colour = pageColour(chosen);
    return true;
}
