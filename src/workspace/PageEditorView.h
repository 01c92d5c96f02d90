#pragma once

// How the page list reaches the page editor window: the workspace sets the page model's fields,
// the window shows the page modally and reports whether the user saved it. Tests replace it.
class PageEditorView
{
public:
    virtual ~PageEditorView() = default;

    // Shows the page editor modally on the workspace's page model. True when it returned OK, i.e.
    // the page file was written under the model's SiteName.
    virtual bool showPageEditor() = 0;
};
