// How the editor control looks and which keys it leaves to the main window.
#pragma once

#include <QKeySequence>
#include <QList>

class QFont;
class QsciScintilla;
class QsciScintillaBase;

// `preferred` when it comes out fixed-pitch, else the first fixed-pitch family installed, by its
// real family name: a theme's "fixed" font, or the family name alone, can come out proportional.
QFont FixedPitchFont(const QFont& preferred);

// Fixed-width font, white background, the colouring's styles 0..6, no lexer, word wrap.
void SetUpEditorLook(QsciScintilla& editor);

// The longest text shown wrapped. Wrapping lays out every line (3-4 MB a second here); the
// control wraps lines not yet shown between events, but a key that moves the caret below what
// it has wrapped so far makes it wrap all the rest at once: 22 s for 100 MB, 0.5 s at the limit.
constexpr long long kLongestWrappedText = 2LL << 20;

// Word wrap up to kLongestWrappedText bytes, none beyond.
int WrapModeForTextLength(long long nLength);

// Whether `key` (Qt key code with modifiers) belongs to the main window: one of `windowKeys`, an
// Alt+letter or Alt+digit, or a function key.
bool IsFrameShortcut(int key, const QList<QKeySequence>& windowKeys);

// Whether Scintilla command `nCommand` changes or copies text in a way a stray key press should
// not: whole-line cut, delete, copy and transpose, duplication, case change, line-part deletion.
bool IsUnaskedEditCommand(int nCommand);

// Drops the control's own bindings of keys that belong to the main window, so its shortcut
// overrides do not swallow them, and every binding of an unasked edit command.
void ReleaseFrameShortcuts(QsciScintilla& editor, const QList<QKeySequence>& windowKeys);

// Makes Enter, and the line ends of pasted text, those of the text's first line: CR LF, LF or CR;
// LF when the text has no line end yet.
void AdoptFirstLineEnd(QsciScintillaBase& editor);
