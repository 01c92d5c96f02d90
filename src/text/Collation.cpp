#include "text/Collation.h"

#include <QLocale>

#include <algorithm>

QCollator germanCollator()
{
    QCollator collator(QLocale(QLocale::German, QLocale::Germany));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    collator.setIgnorePunctuation(false);
    return collator;
}

void appendCaseFolded(QStringView text, QString &out)
{
    // QString::toCaseFolded replaces a lone surrogate, but only once it has started to change
    // the text: any text with a surrogate goes through it. The readers' texts never have one.
    if (std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSurrogate(); })) {
        out += text.toString().toCaseFolded();
        return;
    }
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 0x80) {
            out += QChar(c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c);
            continue;
        }
        const char32_t folded = QChar::toCaseFolded(char32_t(c));
        if (QChar::requiresSurrogates(folded)) {
            out += QChar(QChar::highSurrogate(folded));
            out += QChar(QChar::lowSurrogate(folded));
        } else {
            out += QChar(char16_t(folded));
        }
    }
}
