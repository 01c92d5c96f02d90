#pragma once

#include <QString>

#include <optional>

struct PageHandOver;

// How the page list reaches the page editor window: it hands over the page to edit, the window
// shows it modally and reports the name it was saved under. Tests replace it.
class PageEditorView
{
public:
    virtual ~PageEditorView() = default;

    // Shows the page editor modally on the page handed over. The name the page file was written
    // under when the editor returned OK; nothing when it was closed without saving.
    virtual std::optional<QString> editPage(const PageHandOver &page) = 0;
};
