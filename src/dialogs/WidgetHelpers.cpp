#include "dialogs/WidgetHelpers.h"

#include <QAbstractButton>
#include <QLabel>

namespace {
QString withoutAccelerator(QString text)
{
    // "&&" stands for a literal "&".
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    return text;
}
} // namespace

void nameControl(QWidget *control, const QString &text)
{
    if (control->accessibleName().isEmpty())
        control->setAccessibleName(withoutAccelerator(text));
}

QLabel *labelFor(const QString &text, QWidget *control)
{
    auto *label = new QLabel(text);
    label->setBuddy(control);
    nameControl(control, text);
    return label;
}

void describeIconButton(QAbstractButton *button, const QString &whatItDoes)
{
    button->setAccessibleName(whatItDoes);
    button->setToolTip(whatItDoes);
}
