// The left pane: the loaded template file as a tree of element names, one item per element.
#pragma once

#include "CmdTarget.h"
#include "TemplateHost.h"
#include "TemplateTree.h"

#include <QTreeWidget>

class CLeftView : public QTreeWidget, public ITemplateTree, public CCmdTarget
{
    Q_OBJECT
public:
    explicit CLeftView(ITemplateHost* pDocument, QWidget* parent = nullptr);

    // First call: tree look, registration with the document, the default template.
    void OnInitialUpdate();

    Item InsertItem(const std::string& text, Item parent) override;
    void SetItemData(Item item, TemplateNode* node) override;
    void DeleteAllItems() override;
    TemplateNode* GetSelectedNode() const override;
    void FocusPane() override;

    // Tests start from a fresh process state.
    static void ResetFirstUpdateForTesting();

private:
    void SetTreeLook();
    void SelectCurrentItem();

    ITemplateHost* m_pDocument;
};
