#include "ScriptedPrompt.h"

namespace {
QString kindName(ScriptedPrompt::Kind kind)
{
    switch (kind) {
    case ScriptedPrompt::Kind::Error: return QStringLiteral("error");
    case ScriptedPrompt::Kind::Warning: return QStringLiteral("warning");
    case ScriptedPrompt::Kind::YesNo: return QStringLiteral("yesno");
    case ScriptedPrompt::Kind::YesNoDefaultNo: return QStringLiteral("yesno (default no)");
    case ScriptedPrompt::Kind::YesNoCancel: return QStringLiteral("yesnocancel");
    case ScriptedPrompt::Kind::Beep: return QStringLiteral("beep");
    case ScriptedPrompt::Kind::Name: return QStringLiteral("name");
    case ScriptedPrompt::Kind::OpenFile: return QStringLiteral("openfile");
    case ScriptedPrompt::Kind::Folder: return QStringLiteral("folder");
    case ScriptedPrompt::Kind::Font: return QStringLiteral("font");
    case ScriptedPrompt::Kind::Colour: return QStringLiteral("colour");
    }
    return {};
}
} // namespace

ScriptedPrompt &ScriptedPrompt::expectError(const QString &text)
{
    m_script.append({Kind::Error, text});
    return *this;
}

ScriptedPrompt &ScriptedPrompt::expectWarning(const QString &text)
{
    m_script.append({Kind::Warning, text});
    return *this;
}

ScriptedPrompt &ScriptedPrompt::expectYesNo(const QString &text, Answer answer)
{
    m_script.append({Kind::YesNo, text, answer});
    return *this;
}

ScriptedPrompt &ScriptedPrompt::expectYesNoDefaultNo(const QString &text, Answer answer)
{
    m_script.append({Kind::YesNoDefaultNo, text, answer});
    return *this;
}

ScriptedPrompt &ScriptedPrompt::expectYesNoCancel(const QString &text, Answer answer)
{
    m_script.append({Kind::YesNoCancel, text, answer});
    return *this;
}

ScriptedPrompt &ScriptedPrompt::expectBeep()
{
    m_script.append({Kind::Beep, QString()});
    return *this;
}

ScriptedPrompt &ScriptedPrompt::expectName(const QString &proposed, bool accept, const QString &answer)
{
    m_script.append({Kind::Name, proposed, Answer::Yes, accept, answer});
    return *this;
}

ScriptedPrompt &ScriptedPrompt::expectOpenFile(bool accept, const QString &path)
{
    m_script.append({Kind::OpenFile, QString(), Answer::Yes, accept, path});
    return *this;
}

ScriptedPrompt &ScriptedPrompt::expectFolder(bool accept, const QString &folder)
{
    m_script.append({Kind::Folder, QString(), Answer::Yes, accept, folder});
    return *this;
}

ScriptedPrompt &ScriptedPrompt::expectFont(bool accept, const FontChoice &chosen)
{
    Expectation e{Kind::Font, QString(), Answer::Yes, accept};
    e.font = chosen;
    m_script.append(e);
    return *this;
}

ScriptedPrompt &ScriptedPrompt::expectColour(bool accept, TColor chosen)
{
    Expectation e{Kind::Colour, QString(), Answer::Yes, accept};
    e.colour = chosen;
    m_script.append(e);
    return *this;
}

const ScriptedPrompt::Expectation *ScriptedPrompt::take(Kind kind, const QString &text)
{
    m_log.append(kindName(kind) + QStringLiteral(": ") + text);
    if (m_next >= m_script.size()) {
        if (!(kind == Kind::Error && m_allowErrors))
            m_problems.append(QStringLiteral("unexpected ") + m_log.last());
        return nullptr;
    }
    const Expectation &e = m_script.at(m_next);
    if (e.kind != kind) {
        if (kind == Kind::Error && m_allowErrors)
            return nullptr;
        m_problems.append(QStringLiteral("expected %1 \"%2\", got %3").arg(kindName(e.kind), e.text, m_log.last()));
        ++m_next;
        return nullptr;
    }
    ++m_next;
    const bool checkText = kind != Kind::Beep && kind != Kind::OpenFile && kind != Kind::Folder && kind != Kind::Font
                           && kind != Kind::Colour && !(kind == Kind::Name && e.text.isNull());
    if (checkText && e.text != text)
        m_problems.append(QStringLiteral("expected %1 \"%2\", got \"%3\"").arg(kindName(kind), e.text, text));
    return &e;
}

void ScriptedPrompt::error(const QString &text)
{
    take(Kind::Error, text);
}

void ScriptedPrompt::warning(const QString &text)
{
    take(Kind::Warning, text);
}

Prompt::Answer ScriptedPrompt::askYesNo(const QString &text)
{
    const Expectation *e = take(Kind::YesNo, text);
    return e ? e->answer : Answer::No;
}

Prompt::Answer ScriptedPrompt::askYesNoDefaultNo(const QString &text)
{
    const Expectation *e = take(Kind::YesNoDefaultNo, text);
    return e ? e->answer : Answer::No;
}

Prompt::Answer ScriptedPrompt::askYesNoCancel(const QString &text)
{
    const Expectation *e = take(Kind::YesNoCancel, text);
    return e ? e->answer : Answer::Cancel;
}

void ScriptedPrompt::beep()
{
    take(Kind::Beep, QString());
}

bool ScriptedPrompt::askName(const QString &caption, const QString &label, int maxLength, QString &name)
{
    lastCaption = caption;
    lastLabel = label;
    lastMaxLength = maxLength;
    const Expectation *e = take(Kind::Name, name);
    if (!e || !e->accept)
        return false;
    name = e->value;
    return true;
}

bool ScriptedPrompt::chooseOpenFile(const QString &folder, const QString &filterName, const QString &pattern,
                                    const QString &defaultSuffix, const QString &proposedFile, QString &path)
{
    lastFolder = folder;
    lastFilterName = filterName;
    lastPattern = pattern;
    lastSuffix = defaultSuffix;
    lastProposedFile = proposedFile;
    const Expectation *e = take(Kind::OpenFile, folder);
    if (!e || !e->accept)
        return false;
    path = e->value;
    return true;
}

bool ScriptedPrompt::chooseFolder(const QString &folder, QString &chosen)
{
    lastFolder = folder;
    const Expectation *e = take(Kind::Folder, folder);
    if (!e || !e->accept)
        return false;
    chosen = e->value;
    return true;
}

bool ScriptedPrompt::chooseFont(FontChoice &font)
{
    lastFont = font;
    const Expectation *e = take(Kind::Font, font.face);
    if (!e || !e->accept)
        return false;
    font = e->font;
    return true;
}

bool ScriptedPrompt::chooseColour(TColor &colour)
{
    lastColour = colour;
    const Expectation *e = take(Kind::Colour, ColorToText(colour));
    if (!e || !e->accept)
        return false;
    colour = e->colour;
    return true;
}

QStringList ScriptedPrompt::problems() const
{
    QStringList result = m_problems;
    for (qsizetype i = m_next; i < m_script.size(); ++i)
        result.append(QStringLiteral("not asked: %1 \"%2\"").arg(kindName(m_script.at(i).kind), m_script.at(i).text));
    return result;
}
