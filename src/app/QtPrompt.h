#pragma once

#include "text/Prompt.h"

class QWidget;
class TEingabeF;

// The Prompt of the editor: Qt message boxes with German buttons, the system beep and the
// standard file, folder, font and colour dialogs. Dialogs belong to the window the user works in:
// the active modal window (the page editor while it is open), else the active window, else the
// window given (may be null).
class QtPrompt : public Prompt
{
public:
    explicit QtPrompt(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }
    // The input dialog that asks for names (created once at start); without one, a plain Qt input dialog.
    void setInputDialog(TEingabeF *dialog) { m_inputDialog = dialog; }

    void error(const QString &text) override;
    void warning(const QString &text) override;
    Answer askYesNo(const QString &text) override;
    Answer askYesNoCancel(const QString &text) override;
    Answer askYesNoDefaultNo(const QString &text) override;
    void beep() override;
    bool askName(const QString &caption, const QString &label, int maxLength, QString &name) override;
    bool chooseOpenFile(const QString &folder, const QString &filterName, const QString &pattern,
                        const QString &defaultSuffix, const QString &proposedFile, QString &path) override;
    bool chooseFolder(const QString &folder, QString &chosen) override;
    bool chooseFont(FontChoice &font) override;
    bool chooseColour(TColor &colour) override;

private:
    QWidget *dialogParent() const;

    QWidget *m_parent;
    TEingabeF *m_inputDialog = nullptr;
};
