#include "LeftView.h"

#include "CaretTemplateMatch.h"
#include "CommandIds.h"
#include "DataFileLocator.h"
#include "ElementSnippet.h"
#include "TemplateNode.h"

#include <QPalette>

namespace {

bool g_bFirstUpdate = true;  // the default template is loaded once per process

}  // namespace

CLeftView::CLeftView(ITemplateHost* pDocument, QWidget* parent)
    : QTreeWidget(parent), m_pDocument(pDocument)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The item with the focus frame is the one an insertion uses: Qt would otherwise leave the
    // first item current but unselected when the pane gets the focus, and Ctrl+Space would
    // deselect the current item.
    connect(this, &QTreeWidget::currentItemChanged, this, &CLeftView::SelectCurrentItem);
    connect(this, &QTreeWidget::itemSelectionChanged, this, &CLeftView::SelectCurrentItem);
    OnCommand(ID_TAG_INSERT_INLINE, [this] { m_pDocument->InsertElement(false); });
    // Double-click (or the platform's activation) and Enter insert as Alt+T does; a double-click
    // that also opened or closed the item would move the tree under the user's pointer.
    setExpandsOnDoubleClick(false);
    connect(this, &QTreeWidget::itemActivated, this, [this] { m_pDocument->InsertElement(false); });
}

void CLeftView::SelectCurrentItem()
{
    QTreeWidgetItem* item = currentItem();
    if (item && !item->isSelected())
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
}

void CLeftView::ResetFirstUpdateForTesting()
{
    g_bFirstUpdate = true;
}

void CLeftView::OnInitialUpdate()
{
    if (!g_bFirstUpdate)
        return;
    g_bFirstUpdate = false;
    SetTreeLook();
    m_pDocument->SetTreeView(this);
    const QString strTemplate = QStringLiteral("tarnel.xml");
    m_pDocument->LoadTemplate(CDataFileLocator::ForThisProgram().Locate(strTemplate));
}

void CLeftView::SetTreeLook()
{
    // Buttons and lines, also at the root; the selection stays visible without the focus.
    setRootIsDecorated(true);
    setItemsExpandable(true);
    QPalette look = palette();
    look.setColor(QPalette::Inactive, QPalette::Highlight,
                  look.color(QPalette::Active, QPalette::Highlight));
    look.setColor(QPalette::Inactive, QPalette::HighlightedText,
                  look.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(look);
}

ITemplateTree::Item CLeftView::InsertItem(const std::string& text, Item parent)
{
    auto* parentItem = parent ? static_cast<QTreeWidgetItem*>(parent) : invisibleRootItem();
    auto* item = new QTreeWidgetItem(parentItem);
    item->setText(0, QString::fromUtf8(text.data(), static_cast<int>(text.size())));
    return item;
}

void CLeftView::SetItemData(Item item, TemplateNode* node)
{
    auto* pItem = static_cast<QTreeWidgetItem*>(item);
    pItem->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(node)));
    m_items.insert(node, pItem);
    // What Alt+T puts in place of an empty selection.
    const std::string snippet = ComposeElementText(node, std::string(), false);
    pItem->setToolTip(0, QString::fromUtf8(snippet.data(), static_cast<qsizetype>(snippet.size())));
}

void CLeftView::DeleteAllItems()
{
    m_items.clear();
    m_pCaretItem = nullptr;
    m_bGreyedValid = false;
    clear();
}

const TemplateNode* CLeftView::TreeRoot() const
{
    QTreeWidgetItem* top = topLevelItem(0);
    const auto* node =
        top ? static_cast<const TemplateNode*>(top->data(0, Qt::UserRole).value<void*>()) : nullptr;
    return node ? node->parent : nullptr;
}

void CLeftView::SetFollowCaret(bool bOn)
{
    m_bFollowCaret = bOn;
    if (bOn)
        return;
    MarkCaretItem(nullptr);
    GreyDisallowed({}, nullptr);
}

void CLeftView::FollowCaret(const QStringList& steps, const SGrammarModel* pGrammar)
{
    const TemplateNode* root = TreeRoot();
    if (!m_bFollowCaret || !root)
        return;
    std::vector<std::string> rawSteps;
    for (const QString& step : steps)
        rawSteps.push_back(step.toStdString());
    const std::vector<std::string> path = ElementNamesOfSteps(rawSteps);
    const TemplateNode* node = NodeForElementPath(*root, path);
    MarkCaretItem(node ? m_items.value(node) : nullptr);
    GreyDisallowed(path, pGrammar);
}

void CLeftView::MarkCaretItem(QTreeWidgetItem* item)
{
    if (item == m_pCaretItem)
        return;
    if (m_pCaretItem) {
        QFont font = m_pCaretItem->font(0);
        font.setBold(false);
        m_pCaretItem->setFont(0, font);
        m_pCaretItem->setBackground(0, QBrush());
    }
    m_pCaretItem = item;
    if (!item)
        return;
    QFont font = item->font(0);
    font.setBold(true);
    item->setFont(0, font);
    item->setBackground(0, palette().brush(QPalette::AlternateBase));
    scrollToItem(item);  // opens its parents too
}

void CLeftView::GreyDisallowed(const std::vector<std::string>& path, const SGrammarModel* pGrammar)
{
    const std::string strFor = path.empty() ? std::string() : path.back();
    if (m_bGreyedValid && pGrammar == m_pGreyedGrammar && strFor == m_strGreyedFor)
        return;
    m_bGreyedValid = true;
    m_pGreyedGrammar = pGrammar;
    m_strGreyedFor = strFor;
    const std::optional<std::set<std::string>> allowed = AllowedAtCaret(pGrammar, path);
    const QBrush grey = palette().brush(QPalette::Disabled, QPalette::Text);
    for (auto it = m_items.cbegin(); it != m_items.cend(); ++it) {
        const bool bGrey = allowed && allowed->count(it.key()->name) == 0;
        it.value()->setForeground(0, bGrey ? grey : QBrush());
    }
}

TemplateNode* CLeftView::GetSelectedNode() const
{
    QTreeWidgetItem* item = currentItem();
    if (!item || !item->isSelected())
        return nullptr;
    return static_cast<TemplateNode*>(item->data(0, Qt::UserRole).value<void*>());
}

void CLeftView::FocusPane()
{
    setFocus(Qt::OtherFocusReason);
}
