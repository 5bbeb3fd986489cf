// The names offered while typing markup.
#include "NameChoices.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

SGrammarModel NoteGrammar()
{
    SGrammarModel model;
    model.roots = {"notes"};
    model.Rule("notes").children = {"note", "group"};
    SElementRule& note = model.Rule("note");
    note.children = {"to", "body"};
    note.attributes = {"lang", "id", "kind"};
    note.requiredAttributes = {"id", "kind"};
    return model;
}

TEST(NameChoicesTest, OffersTheElementsAllowedAtTheCaret)
{
    const SGrammarModel grammar = NoteGrammar();
    const Names known = {"z", "a", "z"};
    EXPECT_EQ(ElementChoices(&grammar, {"notes", "note"}, known), Names({"body", "to"}));
    EXPECT_EQ(ElementChoices(&grammar, {}, known), Names({"notes"}));
    EXPECT_EQ(ElementChoices(&grammar, {"notes", "unknown"}, known), Names({"a", "z"}));
    EXPECT_EQ(ElementChoices(nullptr, {"notes"}, known), Names({"a", "z"}));
}

TEST(NameChoicesTest, OffersTheAttributesNotYetWrittenRequiredFirst)
{
    const SGrammarModel grammar = NoteGrammar();
    EXPECT_EQ(AttributeChoices(&grammar, "note", {}), Names({"id", "kind", "lang"}));
    EXPECT_EQ(AttributeChoices(&grammar, "note", {"kind", "other"}), Names({"id", "lang"}));
    EXPECT_EQ(AttributeChoices(&grammar, "to", {}), Names());
    EXPECT_EQ(AttributeChoices(nullptr, "note", {}), Names());
}

TEST(NameChoicesTest, FindsTheStartTagAtTheCaret)
{
    struct SCase
    {
        const char* before;
        bool bInTag;
        const char* element;
        Names written;
    };
    const SCase cases[] = {
        {"<a><note ", true, "note", {}},    {"<note id=\"1\" ", true, "note", {"id"}},
        {"<note id=\"a b ", false, "", {}}, {"<note>text ", false, "", {}},
        {"</note ", false, "", {}},         {"<!-- x ", false, "", {}},
        {"<note", false, "", {}},           {"plain ", false, "", {}},
    };
    for (const SCase& c : cases) {
        std::string element;
        Names written;
        EXPECT_EQ(StartTagAtCaret(c.before, element, written), c.bInTag) << c.before;
        if (c.bInTag) {
            EXPECT_EQ(element, c.element) << c.before;
            EXPECT_EQ(written, c.written) << c.before;
        }
    }
}

}  // namespace
