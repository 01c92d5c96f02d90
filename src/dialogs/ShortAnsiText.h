#pragma once

#include "text/Cp1252.h"

#include <QString>

// A text field of at most 64 characters of the Windows-1252 code page: a text stored into it is
// cut to 64 characters, and characters the code page cannot hold become "?".
class ShortAnsiText
{
public:
    static constexpr qsizetype MaxLength = 64;

    ShortAnsiText() = default;
    ShortAnsiText(const QString &text) { *this = text; } // NOLINT: converts like a string field

    ShortAnsiText &operator=(const QString &text)
    {
        m_text = Cp1252::decode(Cp1252::encode(text).left(MaxLength));
        return *this;
    }

    operator const QString &() const { return m_text; } // NOLINT: reads like a string field
    const QString &text() const { return m_text; }

private:
    QString m_text;
};
