// The left pane: the loaded template file as a tree of element names, one item per element.
#pragma once

#include "CmdTarget.h"
#include "TemplateHost.h"
#include "TemplateTree.h"

#include <QHash>
#include <QStringList>
#include <QTreeWidget>
#include <string>

struct SGrammarModel;

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

    // Marks the item of the element at the caret (path steps as the status bar shows them) and,
    // with a grammar, greys the items it does not allow as a child there. Neither the focus nor
    // the selection (what Alt+T inserts) moves.
    void FollowCaret(const QStringList& steps, const SGrammarModel* pGrammar);
    void SetFollowCaret(bool bOn);
    bool FollowsCaret() const { return m_bFollowCaret; }
    // The item marked as the caret's element; null when none.
    QTreeWidgetItem* CaretItem() const { return m_pCaretItem; }

    // Tests start from a fresh process state.
    static void ResetFirstUpdateForTesting();

private:
    void SetTreeLook();
    void SelectCurrentItem();

    void MarkCaretItem(QTreeWidgetItem* item);
    void GreyDisallowed(const std::vector<std::string>& path, const SGrammarModel* pGrammar);
    const TemplateNode* TreeRoot() const;

    ITemplateHost* m_pDocument;
    QHash<const TemplateNode*, QTreeWidgetItem*> m_items;
    bool m_bFollowCaret = true;
    QTreeWidgetItem* m_pCaretItem = nullptr;
    // What the greying was last worked out for: it changes only when the caret's element does.
    const SGrammarModel* m_pGreyedGrammar = nullptr;
    std::string m_strGreyedFor;
    bool m_bGreyedValid = false;
};
