#include "CommandIds.h"
#include "HelpMenuKeeper.h"
#include "MenuInterface.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// A menu of (text, id, popup) items; a separator has empty text and id 0.
class CFakeMenu : public IMenu
{
public:
    struct Item
    {
        QString text;
        int nID;
        IMenu* pPopup;
    };

    int GetMenuItemCount() const override { return static_cast<int>(m_items.size()); }
    QString GetMenuString(int nPos) const override
    {
        return nPos < GetMenuItemCount() ? m_items[nPos].text : QString();
    }
    IMenu* GetSubMenu(int nPos) override
    {
        return nPos < GetMenuItemCount() ? m_items[nPos].pPopup : nullptr;
    }
    void InsertMenuItem(int nPos, const QString& text, int nID) override
    {
        m_items.insert(m_items.begin() + nPos, {text, nID, nullptr});
    }
    void InsertSeparator(int nPos) override
    {
        m_items.insert(m_items.begin() + nPos, {QString(), 0, nullptr});
    }
    void AppendPopup(IMenu* pPopup, const QString& text) override
    {
        m_items.push_back({text, 0, pPopup});
    }
    void DrawMenuBar() override { ++m_nRedraws; }

    void AddPopup(const QString& text, IMenu* pPopup) { m_items.push_back({text, 0, pPopup}); }

    std::vector<Item> m_items;
    int m_nRedraws = 0;
};

class HelpMenuKeeperTest : public ::testing::Test
{
protected:
    CHelpMenuKeeper m_keeper{[this] {
        ++m_nPopupsCreated;
        return std::make_unique<CFakeMenu>();
    }};
    int m_nPopupsCreated = 0;
};

TEST_F(HelpMenuKeeperTest, PutsTheTipItemAndASeparatorAboveAboutOnce)
{
    CFakeMenu help;
    help.InsertMenuItem(0, "&About Tarnel...", ID_APP_ABOUT);
    CFakeMenu bar;
    bar.AddPopup("&File", nullptr);
    bar.AddPopup("&Help", &help);

    m_keeper.OnInitMenu(bar);
    m_keeper.OnInitMenu(bar);

    ASSERT_EQ(help.m_items.size(), 3u);
    EXPECT_EQ(help.m_items[0].text, "Ti&p of the Day...");
    EXPECT_EQ(help.m_items[0].nID, ID_TIP_OF_THE_DAY);
    EXPECT_EQ(help.m_items[1].nID, 0);
    EXPECT_EQ(help.m_items[2].text, "&About Tarnel...");
    EXPECT_EQ(bar.m_items.size(), 2u);
    EXPECT_EQ(m_nPopupsCreated, 0);
}

TEST_F(HelpMenuKeeperTest, MatchesTheHelpTextExactlyAndTheLastMatchWins)
{
    CFakeMenu lowerCase;
    CFakeMenu first;
    CFakeMenu last;
    CFakeMenu bar;
    bar.AddPopup("&help", &lowerCase);
    bar.AddPopup("&Help", &first);
    bar.AddPopup("&Help", &last);

    m_keeper.OnInitMenu(bar);

    EXPECT_EQ(lowerCase.GetMenuItemCount(), 0);
    EXPECT_EQ(first.GetMenuItemCount(), 0);
    EXPECT_EQ(last.GetMenuString(0), "Ti&p of the Day...");
    EXPECT_EQ(m_keeper.RememberedPopup(), &last);
}

TEST_F(HelpMenuKeeperTest, BarWithoutHelpGetsOneOwnPopupAppended)
{
    CFakeMenu bar;
    bar.AddPopup("&File", nullptr);

    m_keeper.OnInitMenu(bar);

    ASSERT_EQ(bar.m_items.size(), 2u);
    EXPECT_EQ(bar.m_items[1].text, "&Help");
    auto* popup = static_cast<CFakeMenu*>(bar.m_items[1].pPopup);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->m_items.size(), 1u);
    EXPECT_EQ(popup->m_items[0].nID, ID_TIP_OF_THE_DAY);
    EXPECT_EQ(bar.m_nRedraws, 1);

    CFakeMenu otherBar;
    m_keeper.OnInitMenu(otherBar);
    EXPECT_EQ(m_nPopupsCreated, 1);
    ASSERT_EQ(otherBar.m_items.size(), 1u);
    EXPECT_EQ(otherBar.m_items[0].pPopup, popup);
}

TEST_F(HelpMenuKeeperTest, BarWithoutHelpReusesTheRememberedHelpPopup)
{
    CFakeMenu help;
    CFakeMenu bar;
    bar.AddPopup("&Help", &help);
    m_keeper.OnInitMenu(bar);

    CFakeMenu inPlaceBar;
    inPlaceBar.AddPopup("&File", nullptr);
    m_keeper.OnInitMenu(inPlaceBar);

    EXPECT_EQ(m_nPopupsCreated, 0);
    ASSERT_EQ(inPlaceBar.m_items.size(), 2u);
    EXPECT_EQ(inPlaceBar.m_items[1].pPopup, &help);
    EXPECT_EQ(help.GetMenuItemCount(), 2);
}

}  // namespace
