#pragma once

#include "workspace/PageEditorView.h"

#include <QDialog>

class Prompt;
class Workspace;

// The page editor "WEB-Seite definieren": shows the workspace's page model modally for one page.
class TSiteDefF : public QDialog, public PageEditorView
{
    Q_OBJECT

public:
    TSiteDefF(Workspace &workspace, Prompt &prompt, QWidget *parent = nullptr);
    ~TSiteDefF() override;

    bool showPageEditor() override;

private:
    Workspace &m_workspace;
    Prompt &m_prompt;
};
