#include "editor/TSiteDefF.h"

#include "workspace/Workspace.h"

TSiteDefF::TSiteDefF(Workspace &workspace, Prompt &prompt, QWidget *parent)
    : QDialog(parent), m_workspace(workspace), m_prompt(prompt)
{
    setObjectName(QStringLiteral("SiteDefF"));
}

TSiteDefF::~TSiteDefF() = default;

bool TSiteDefF::showPageEditor()
{
    return exec() == QDialog::Accepted;
}
