// The tree pane following the caret: the element's item marked, what the grammar forbids greyed.
#include "LeftView.h"
#include "ListGrammar.h"
#include "TemplateNode.h"
#include "TemplateParser.h"
#include "TemplateSource.h"

#include <QTreeWidgetItemIterator>
#include <gtest/gtest.h>
#include <set>

namespace {

class CHostStub : public ITemplateHost
{
public:
    void SetTreeView(ITemplateTree*) override {}
    void LoadTemplate(const QString&) override {}
    void InsertElement(bool) override {}
};

std::string ItemPath(const QTreeWidgetItem* item)
{
    std::string path;
    for (; item; item = item->parent())
        path = "/" + item->text(0).toStdString() + path;
    return path;
}

// The names of the greyed items, in tree order, each once.
std::string GreyedNames(CLeftView& view)
{
    std::string names;
    std::set<std::string> seen;
    for (QTreeWidgetItemIterator it(&view); *it; ++it) {
        const std::string name = (*it)->text(0).toStdString();
        if ((*it)->foreground(0).style() != Qt::NoBrush && seen.insert(name).second)
            names += " " + name;
    }
    return names;
}

class LeftViewCaretTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_load = TemplateFromGrammar(ListGrammar(), QStringLiteral("DTD"));
        CTemplateParser::InsertTopLevel(*m_load.root, &m_view);
    }

    CHostStub m_host;
    CLeftView m_view{&m_host};
    STemplateLoad m_load;
};

TEST_F(LeftViewCaretTest, MarksTheCaretElementAndGreysWhatTheGrammarDoesNotAllowThere)
{
    struct SCase
    {
        QStringList steps;
        const char* caretItem;
        const char* greyed;
    };
    const SCase cases[] = {
        {{"doc", "list[2]", "item"}, "/doc/list/item", " doc title item"},
        {{"doc"}, "/doc", " doc item p"},
        {{}, "", " title list item p"},
        {{"unknown"}, "", ""},
    };
    for (const SCase& c : cases) {
        m_view.FollowCaret(c.steps, &m_load.model);
        EXPECT_EQ(ItemPath(m_view.CaretItem()), c.caretItem) << c.caretItem;
        EXPECT_EQ(GreyedNames(m_view), c.greyed) << c.caretItem;
    }
}

TEST_F(LeftViewCaretTest, LeavesTheSelectionAndGreysNothingWithoutAGrammar)
{
    QTreeWidgetItem* title = m_view.topLevelItem(0)->child(0);
    m_view.setCurrentItem(title);
    m_view.FollowCaret({"doc", "list", "item"}, nullptr);
    EXPECT_EQ(ItemPath(m_view.CaretItem()), "/doc/list/item");
    EXPECT_EQ(m_view.GetSelectedNode()->name, "title");
    EXPECT_EQ(GreyedNames(m_view), "");
}

TEST_F(LeftViewCaretTest, SwitchedOffItMarksAndGreysNothing)
{
    m_view.FollowCaret({"doc"}, &m_load.model);
    m_view.SetFollowCaret(false);
    EXPECT_EQ(m_view.CaretItem(), nullptr);
    EXPECT_EQ(GreyedNames(m_view), "");
    m_view.FollowCaret({"doc"}, &m_load.model);
    EXPECT_EQ(m_view.CaretItem(), nullptr);
}

}  // namespace
