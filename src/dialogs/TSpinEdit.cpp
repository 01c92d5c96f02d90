#include "dialogs/TSpinEdit.h"

#include <QLineEdit>

#include <algorithm>
#include <limits>

TSpinEdit::TSpinEdit(QWidget *parent) : QSpinBox(parent)
{
    setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setKeyboardTracking(false);
}

int TSpinEdit::fallbackValue() const
{
    return qBound(minimum(), 0, maximum());
}

QValidator::State TSpinEdit::validate(QString &input, int &) const
{
    bool ok = false;
    const qlonglong number = input.trimmed().toLongLong(&ok);
    if (ok && number >= minimum() && number <= maximum())
        return QValidator::Acceptable;
    // Anything may be typed; leaving the field brings it into the limits (fixup).
    return QValidator::Intermediate;
}

void TSpinEdit::fixup(QString &input) const
{
    bool ok = false;
    const qlonglong number = input.trimmed().toLongLong(&ok);
    const qlonglong value = ok ? std::clamp<qlonglong>(number, minimum(), maximum()) : fallbackValue();
    input = QString::number(value);
}
