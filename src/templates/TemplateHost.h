// What the tree pane needs of the document that owns the loaded template.
#pragma once

#include <QString>

class ITemplateTree;

class ITemplateHost
{
public:
    virtual ~ITemplateHost() = default;

    virtual void SetTreeView(ITemplateTree* pTree) = 0;
    // Loads a template file into the tree; an empty path asks for the file.
    virtual void LoadTemplate(const QString& path) = 0;
    // Puts the selected element around the editor's selection.
    virtual void InsertElement(bool block) = 0;
};
