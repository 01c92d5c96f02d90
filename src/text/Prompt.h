#pragma once

#include "text/Entities.h"

#include <QString>

// The one way core code tells the user something, asks or lets the user choose. The GUI answers
// with Qt dialogs, webdef-cli writes to standard error, tests script the answers.
class Prompt
{
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompt() = default;

    virtual void error(const QString &text) = 0;             // error symbol, OK
    virtual void warning(const QString &text) = 0;           // warning symbol, OK
    virtual Answer askYesNo(const QString &text) = 0;        // warning symbol, Yes/No
    virtual Answer askYesNoCancel(const QString &text) = 0;  // warning symbol, Yes/No/Cancel
    // A question whose Yes loses or deletes something: warning symbol, Yes/No, No the default button
    // (Enter answers No). Without a default button of their own, prompts ask as askYesNo does.
    virtual Answer askYesNoDefaultNo(const QString &text) { return askYesNo(text); }
    virtual void beep() = 0;                                 // the system's error sound

    // Asks for a name with the input dialog. Returns true on OK; name is the text entered.
    virtual bool askName(const QString &caption, const QString &label, int maxLength, QString &name) = 0;

    // File open dialog: filterName and pattern (e.g. "WEB-Seiten", "*.FNP"), starting in folder,
    // proposing proposedFile. Returns false when cancelled.
    virtual bool chooseOpenFile(const QString &folder, const QString &filterName, const QString &pattern,
                                const QString &defaultSuffix, const QString &proposedFile, QString &path) = 0;

    // Folder selection dialog starting at folder. Returns false when cancelled.
    virtual bool chooseFolder(const QString &folder, QString &chosen) = 0;

    // A text style as the font dialog shows it: face, size in points, style bits (bold 1, italic 2,
    // underline 4, strike-out 8, as the page file stores them) and text colour.
    struct FontChoice
    {
        QString face;
        qint32 size = 8;
        qint32 style = 0;
        TColor colour = 0;
        bool operator==(const FontChoice &) const = default;
    };

    // Font dialog starting at font. Returns false (font unchanged) when cancelled.
    virtual bool chooseFont(FontChoice &font) = 0;
    // Colour dialog starting at colour. Returns false (colour unchanged) when cancelled.
    virtual bool chooseColour(TColor &colour) = 0;
};
