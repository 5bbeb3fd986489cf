#include "EditorSetup.h"

#include "MarkupScanner.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qsciscintilla.h>
#include <QColor>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeySequence>

#include <algorithm>
#include <iterator>

namespace {

using Sci = QsciScintillaBase;

void SetStyle(QsciScintilla& editor, int nStyle, const QColor& colour, bool bBold)
{
    editor.SendScintilla(Sci::SCI_STYLESETFORE, nStyle, colour);
    editor.SendScintilla(Sci::SCI_STYLESETBOLD, nStyle, static_cast<long>(bBold));
}

// Typing, Backspace, Delete, Ctrl+Backspace and Ctrl+Delete (a word), Return, Tab and Insert
// (overtype) stay: users expect them.
const int kUnaskedEditCommands[] = {
    Sci::SCI_LINECUT,
    Sci::SCI_LINEDELETE,
    Sci::SCI_LINECOPY,
    Sci::SCI_LINETRANSPOSE,
    Sci::SCI_LINEREVERSE,
    Sci::SCI_LINEDUPLICATE,
    Sci::SCI_SELECTIONDUPLICATE,
    Sci::SCI_LOWERCASE,
    Sci::SCI_UPPERCASE,
    Sci::SCI_DELWORDRIGHTEND,
    Sci::SCI_DELLINELEFT,
    Sci::SCI_DELLINERIGHT,
    Sci::SCI_MOVESELECTEDLINESUP,
    Sci::SCI_MOVESELECTEDLINESDOWN,
    Sci::SCI_FORMFEED,
};

}  // namespace

QFont FixedPitchFont(const QFont& preferred)
{
    QFont font(preferred);
    if (!QFontInfo(font).fixedPitch()) {
        font.setFamily(QStringLiteral("monospace"));
        font.setStyleHint(QFont::TypeWriter);
    }
    const QStringList families = QFontDatabase::families();
    for (auto it = families.begin(); !QFontInfo(font).fixedPitch() && it != families.end(); ++it) {
        if (QFontDatabase::isFixedPitch(*it))
            font.setFamily(*it);
    }
    // Scintilla gets the family name only, without the hints that chose it.
    font.setFamily(QFontInfo(font).family());
    return font;
}

void SetUpEditorLook(QsciScintilla& editor)
{
    editor.SendScintilla(Sci::SCI_SETLEXER, static_cast<unsigned long>(Sci::SCLEX_CONTAINER));
    const QFont font = FixedPitchFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QByteArray family = font.family().toUtf8();
    editor.SendScintilla(Sci::SCI_STYLESETFONT, Sci::STYLE_DEFAULT, family.constData());
    editor.SendScintilla(Sci::SCI_STYLESETSIZE, Sci::STYLE_DEFAULT,
                         static_cast<long>(std::max(font.pointSize(), 8)));
    editor.SendScintilla(Sci::SCI_STYLESETFORE, Sci::STYLE_DEFAULT, QColor(0, 0, 0));
    editor.SendScintilla(Sci::SCI_STYLESETBACK, Sci::STYLE_DEFAULT, QColor(255, 255, 255));
    editor.SendScintilla(Sci::SCI_STYLESETBOLD, Sci::STYLE_DEFAULT, 0L);
    editor.SendScintilla(Sci::SCI_STYLECLEARALL);

    const QColor black(0, 0, 0);
    const QColor nearBlack(10, 10, 10);
    SetStyle(editor, STYLE_UNCOLOURED, black, false);
    SetStyle(editor, STYLE_TEXT, black, false);
    SetStyle(editor, STYLE_TAG_BRACKET, black, false);
    SetStyle(editor, STYLE_TAG_TEXT, QColor(0, 0, 200), true);
    SetStyle(editor, STYLE_QUOTED, QColor(200, 0, 0), false);
    SetStyle(editor, STYLE_TAIL, nearBlack, false);
    SetStyle(editor, STYLE_TAIL_BOLD, nearBlack, true);

    for (int nMargin = 0; nMargin < 3; ++nMargin)
        editor.SendScintilla(Sci::SCI_SETMARGINWIDTHN, nMargin, 0L);
    editor.SendScintilla(Sci::SCI_SETMARGINLEFT, 0UL, 4L);
    editor.SendScintilla(Sci::SCI_SETWRAPMODE, static_cast<unsigned long>(Sci::SC_WRAP_WORD));
    // The control measures a line's text in short runs between style changes, each through Qt's
    // text layout, whenever it lays the line out again; a larger cache of their widths cuts the
    // cost of a keystroke on a long line several times over (the default holds 1024).
    editor.SendScintilla(Sci::SCI_SETPOSITIONCACHE, 65536UL);
}

int WrapModeForTextLength(long long nLength)
{
    return nLength <= kLongestWrappedText ? Sci::SC_WRAP_WORD : Sci::SC_WRAP_NONE;
}

bool IsFrameShortcut(int key, const QList<QKeySequence>& windowKeys)
{
    if (key == 0)
        return false;
    for (const QKeySequence& sequence : windowKeys) {
        if (!sequence.isEmpty() && sequence[0].toCombined() == key)
            return true;
    }
    const int nBare = key & ~Qt::KeyboardModifierMask;
    const int nModifiers = key & Qt::KeyboardModifierMask;
    // Alt+letter and Alt+digit open menus or run commands; function keys are the window's.
    const bool bLetterOrDigit =
        (nBare >= Qt::Key_A && nBare <= Qt::Key_Z) || (nBare >= Qt::Key_0 && nBare <= Qt::Key_9);
    if ((nModifiers & Qt::AltModifier) && bLetterOrDigit)
        return true;
    return nBare >= Qt::Key_F1 && nBare <= Qt::Key_F35;
}

bool IsUnaskedEditCommand(int nCommand)
{
    return std::find(std::begin(kUnaskedEditCommands), std::end(kUnaskedEditCommands), nCommand)
           != std::end(kUnaskedEditCommands);
}

void ReleaseFrameShortcuts(QsciScintilla& editor, const QList<QKeySequence>& windowKeys)
{
    for (QsciCommand* pCommand : editor.standardCommands()->commands()) {
        if (IsUnaskedEditCommand(static_cast<int>(pCommand->command()))) {
            pCommand->setKey(0);
            pCommand->setAlternateKey(0);
        }
        if (IsFrameShortcut(pCommand->key(), windowKeys))
            pCommand->setKey(0);
        if (IsFrameShortcut(pCommand->alternateKey(), windowKeys))
            pCommand->setAlternateKey(0);
    }
}

void AdoptFirstLineEnd(QsciScintillaBase& editor)
{
    long nMode = Sci::SC_EOL_LF;
    if (editor.SendScintilla(Sci::SCI_GETLINECOUNT) > 1) {
        const long nEnd = editor.SendScintilla(Sci::SCI_GETLINEENDPOSITION, 0UL);
        if (editor.SendScintilla(Sci::SCI_GETCHARAT, nEnd) == '\r') {
            const bool bCrLf = editor.SendScintilla(Sci::SCI_GETCHARAT, nEnd + 1) == '\n';
            nMode = bCrLf ? Sci::SC_EOL_CRLF : Sci::SC_EOL_CR;
        }
    }
    editor.SendScintilla(Sci::SCI_SETEOLMODE, nMode);
}
