#include "editor/EditorTestSupport.h"

#include "ColourPolicy.h"

#include <gtest/gtest.h>

namespace {

using Sci = QsciScintillaBase;

class BackgroundColorizerTest : public ::testing::Test, public SEditorFixture, public STestFolder
{
protected:
    // Opens a text of several slices and colours only its first slice.
    long long OpenAndColourOneSlice(const QByteArray& text)
    {
        EXPECT_TRUE(doc.OnOpenDocument(WriteFile(QStringLiteral("big.xml"), text)));
        CColourPolicy& background = view.BackgroundColours();
        EXPECT_FALSE(background.Finish([](long long, long long) { return false; }));
        return background.Frontier();
    }
    void Edit(long long position, long long nDelete, const QByteArray& insert)
    {
        Send(Sci::SCI_DELETERANGE, position, nDelete);
        view.SendScintilla(Sci::SCI_INSERTTEXT, static_cast<unsigned long>(position),
                           insert.constData());
    }
    static QByteArray Records()
    {
        QByteArray text;
        const QByteArray record("<r k=\"v\">text</r>\n");
        while (text.size() < 6 * CSlicedPass::kSliceBytes)
            text += record;
        return text + "<open k=\"v";
    }
};

TEST_F(BackgroundColorizerTest, EditsWhileColouringEndAsAPassAtOpeningOrOverTheEditedText)
{
    // Before the frontier an edit keeps the styles a pass at opening gave the rest, as it would
    // have after a whole pass; at or past it, and with colour as you type, the edited text is
    // coloured. An insertion that opens a quote tells the two apart.
    struct SCase
    {
        const char* name;
        long long nFromFrontier;
        long long nDelete;
        QByteArray insert;
        bool bTypingColours;
        bool bAsOpened;  // else as a pass over the edited text
    };
    const SCase cases[] = {
        {"insert before", -1000, 0, "<q a=\"1234567890", false, true},
        {"delete before", -1000, 300, "", false, true},
        {"delete ending at the frontier", -300, 300, "", false, true},
        {"delete astride", -50, 100, "", false, false},
        {"insert at", 0, 0, "<q a=\"1234567890", false, false},
        {"insert past", 3000, 0, "<q a=\"1234567890", false, false},
        {"replace astride", -7, 30, "\"<", false, false},
        {"typing before, coloured as typed", -1000, 0, "<q a=\"1234567890", true, false},
    };
    const QByteArray text = Records();
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        view.SetColourAsYouType(c.bTypingColours);
        const long long nAt = OpenAndColourOneSlice(text) + c.nFromFrontier;
        ASSERT_GT(nAt, 0);
        Edit(nAt, c.nDelete, c.insert);
        view.FlushTypingColours();
        // Colouring as you type leaves the rest to the background, not a scan to the end now.
        if (c.bTypingColours) {
            EXPECT_LE(view.BackgroundColours().Frontier(), nAt);
        }
        WaitForColours();
        const QByteArray background = StyledText(view);

        ASSERT_TRUE(doc.OnOpenDocument(PathOf(QStringLiteral("big.xml"))));
        if (c.bAsOpened) {
            view.ColorAll();
            Edit(nAt, c.nDelete, c.insert);
        } else {
            Edit(nAt, c.nDelete, c.insert);
            view.ColorAll();
        }
        EXPECT_TRUE(StyledText(view) == background);
    }
}

TEST_F(BackgroundColorizerTest, LinesScrolledToAheadOfTheSlicesAreColouredAtOnce)
{
    const long long nFrontier = OpenAndColourOneSlice(Records());
    const long long nLength = view.TextLength();
    Send(Sci::SCI_SETFIRSTVISIBLELINE, Send(Sci::SCI_GETLINECOUNT) - 3);
    view.BackgroundColours().ColourShownLines();
    const std::vector<int> shown = Styles(nLength - 60, nLength);
    EXPECT_EQ(view.BackgroundColours().Frontier(), nFrontier);
    EXPECT_EQ(StyleAt(nFrontier + CSlicedPass::kSliceBytes), STYLE_UNCOLOURED);
    view.ColorAll();
    EXPECT_EQ(shown, Styles(nLength - 60, nLength));
}

TEST_F(BackgroundColorizerTest, WhatReadsStylesOrReplacesThemEndsTheColouring)
{
    OpenAndColourOneSlice(Records());
    EXPECT_TRUE(view.FinishColours());
    EXPECT_FALSE(view.ColoursPending());

    OpenAndColourOneSlice(Records());
    const QByteArray styled = StyledText(view);
    EXPECT_FALSE(view.ColorAll([](long long, long long) { return false; }));  // cancelled
    EXPECT_TRUE(StyledText(view) == styled);
    EXPECT_TRUE(view.ColoursPending());
    view.ColorAll();
    EXPECT_FALSE(view.ColoursPending());

    OpenAndColourOneSlice(Records());
    SetText("<new/>");  // New, or a recovered text, is coloured as a whole
    EXPECT_FALSE(view.ColoursPending());
}

}  // namespace
