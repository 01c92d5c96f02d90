#pragma once

#include "page/Messages.h"
#include "page/PageDocument.h"

// The input state of an object row as the object grid shows it ("ja", "nein", "###", "Fehler")
// and as older page files stored it at the end of a row.
inline QString inputCaption(const PageRow &row)
{
    switch (row.input) {
    case InputState::Yes:
        return PageMessages::InputYes;
    case InputState::No:
        return PageMessages::InputNo;
    case InputState::None:
        return PageMessages::InputNone;
    case InputState::Error:
        return PageMessages::InputError;
    case InputState::Other:
        break;
    }
    return row.otherInput;
}

// The state a caption stands for; any other text is kept as it stands.
inline void setInputCaption(PageRow &row, const QString &caption)
{
    row.otherInput.clear();
    if (caption == PageMessages::InputYes) {
        row.input = InputState::Yes;
    } else if (caption == PageMessages::InputNo) {
        row.input = InputState::No;
    } else if (caption == PageMessages::InputNone) {
        row.input = InputState::None;
    } else if (caption == PageMessages::InputError) {
        row.input = InputState::Error;
    } else {
        row.input = InputState::Other;
        row.otherInput = caption;
    }
}
