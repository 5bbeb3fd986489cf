#include "ProblemListPane.h"

#include <QHeaderView>

CProblemListPane::CProblemListPane(QWidget* pParent) : QTreeWidget(pParent)
{
    setObjectName(QStringLiteral("problemList"));
    setColumnCount(3);
    setHeaderLabels({tr("Line"), tr("Column"), tr("Message")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    header()->setStretchLastSection(true);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    connect(this, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* pItem) { Choose(indexOfTopLevelItem(pItem)); });
    connect(this, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* pItem) { Choose(indexOfTopLevelItem(pItem)); });
}

void CProblemListPane::SetIssues(const QVector<SValidationIssue>& issues)
{
    m_issues = issues;
    clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(issues.size());
    for (const SValidationIssue& issue : issues) {
        const QString strColumn = issue.nColumn > 0 ? QString::number(issue.nColumn) : QString();
        items << new QTreeWidgetItem({QString::number(issue.nLine), strColumn, issue.strMessage});
    }
    addTopLevelItems(items);
}

int CProblemListPane::CurrentIssue() const
{
    return currentItem() ? indexOfTopLevelItem(currentItem()) : -1;
}

int CProblemListPane::Step(int nStep)
{
    const int nCount = static_cast<int>(m_issues.size());
    if (nCount == 0)
        return -1;
    const int nCurrent = CurrentIssue();
    int nNext = nCurrent < 0 ? (nStep > 0 ? 0 : nCount - 1) : nCurrent + nStep;
    nNext = ((nNext % nCount) + nCount) % nCount;
    Choose(nNext);
    return nNext;
}

void CProblemListPane::Choose(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_issues.size())
        return;
    setCurrentItem(topLevelItem(nIndex));
    emit issueChosen(nIndex);
}
