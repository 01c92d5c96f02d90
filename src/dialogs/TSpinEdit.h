#pragma once

#include <QSpinBox>

// A number field that takes any text while it is typed and brings it into its limits once it is
// left: 900 in a field of 5 to 300 becomes 300, a text that is not a number becomes the lower
// limit (0 for a field without limits). A plain QSpinBox would refuse the third digit, or put the
// previous value back.
class TSpinEdit : public QSpinBox
{
    Q_OBJECT

public:
    explicit TSpinEdit(QWidget *parent = nullptr);

    // The value a text that is not a number stands for.
    int fallbackValue() const;

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
};
