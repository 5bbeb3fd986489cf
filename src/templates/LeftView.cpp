#include "LeftView.h"

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
    // What Alt+T puts in place of an empty selection.
    const std::string snippet = ComposeElementText(node, std::string(), false);
    pItem->setToolTip(0, QString::fromUtf8(snippet.data(), static_cast<qsizetype>(snippet.size())));
}

void CLeftView::DeleteAllItems()
{
    clear();
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
