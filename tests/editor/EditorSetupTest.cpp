#include "editor/EditorTestSupport.h"

#include "EditorSetup.h"

#include <QFontInfo>
#include <gtest/gtest.h>

namespace {

using Sci = QsciScintillaBase;

bool ComesOutFixedPitch(const QString& family)
{
    return QFontInfo(QFont(family)).fixedPitch();
}

TEST(EditorSetupTest, TheEditorFontIsFixedPitchWhateverTheThemeOffers)
{
    for (const char* preferred :
         {"DejaVu Sans", "DejaVu Serif", "No Such Family", "monospace", "DejaVu Sans Mono"}) {
        const QFont font = FixedPitchFont(QFont(QString::fromLatin1(preferred), 11));
        EXPECT_TRUE(ComesOutFixedPitch(font.family()))
            << preferred << " gave " << font.family().toStdString();
        EXPECT_EQ(font.pointSize(), 11) << preferred;
    }
    EXPECT_EQ(FixedPitchFont(QFont(QStringLiteral("DejaVu Sans Mono"))).family(),
              QStringLiteral("DejaVu Sans Mono"));

    SEditorFixture fixture;
    for (int nStyle : {int(Sci::STYLE_DEFAULT), int(STYLE_UNCOLOURED), int(STYLE_TAG_TEXT),
                       int(STYLE_TAIL_BOLD)}) {
        char family[256] = {};
        fixture.view.SendScintilla(Sci::SCI_STYLEGETFONT, static_cast<unsigned long>(nStyle),
                                   family);
        EXPECT_TRUE(ComesOutFixedPitch(QString::fromUtf8(family))) << nStyle << " " << family;
    }
}

}  // namespace
