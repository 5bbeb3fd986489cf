// The editor pane: the document's bytes in a Scintilla control, with the program's insertions,
// colouring and the text primitives the document and the check work through. Its helpers see it
// only as the text buffer and pane interfaces it implements.
#pragma once

#include "CmdTarget.h"
#include "EditorOptions.h"
#include "EditorPane.h"
#include "EditNotifier.h"
#include "ElementPath.h"
#include "ErrorMarker.h"
#include "FoldPolicy.h"
#include "FormatUndoGuard.h"
#include "InputFilter.h"
#include "LineNumberMargin.h"
#include "MatchingTags.h"
#include "ColourPass.h"
#include "ColourPolicy.h"
#include "NameCompletion.h"
#include "TypingAids.h"
#include "ViewInserter.h"
#include "ViewLoader.h"
#include "WordWrap.h"
#include "SafeSaver.h"
#include "TextBuffer.h"

#include <Qsci/qsciscintilla.h>
#include <QByteArray>
#include <QKeySequence>
#include <QList>
#include <QMarginsF>
#include <QPointer>

#include <utility>
#include <vector>

class CDocumentReader;
class CLoadPipeline;
struct SLoadPiece;
class CTarnelDoc;

class CTarnelView : public QsciScintilla,
                    public CCmdTarget,
                    public IEditorPane,
                    public IEditorOptions,
                    private ITextEditObserver
{
    Q_OBJECT
public:
    static constexpr int kColorChunkSize = CColourPass::kChunkSize;

    // Attaches to `pDocument` at once (it then holds the text); registers as its edit view only
    // in OnInitialUpdate.
    explicit CTarnelView(CTarnelDoc* pDocument, QWidget* parent = nullptr);
    ~CTarnelView() override;

    CTarnelDoc* GetDocument() const override;
    QsciScintilla& Control() override { return *this; }
    // Drops the control's own bindings of the window's keys, which the window then gets.
    void LeaveKeysToWindow(const QList<QKeySequence>& windowKeys);

    void OnInitialUpdate();
    QMarginsF PrintMarginsInches() const { return m_mgnPrintInches; }

    // Text primitives.
    void ReplaceSelection(const QByteArray& text) override;
    void SaveSelection();
    void RestoreSelection();
    // Copies bytes [offset, min(offset + count, length)) and a NUL into `buffer`, which holds
    // count + 1 bytes; returns the number of bytes. The selection stays where it is.
    int ReadTextChunk(char* buffer, long long offset, int count);
    void ShowMessage(const QString& text);
    // `line` counts the text's own lines from 0, whatever the wrapping shows.
    void GoToLine(int line);
    void Activate();

    // The text buffer, over the control.
    long long Length() const override { return TextLength(); }
    char ByteAt(long long position) const override;
    MarkupStyle StyleAt(long long position) const override;
    std::size_t Read(long long position, char* buffer, std::size_t count) const override;
    void SetStyles(long long start, const char* styles, std::size_t length) override;
    void Replace(long long position, long long nRemoved, const char* bytes,
                 std::size_t length) override;
    void BeginUndoGroup() override;
    void EndUndoGroup() override;
    void AddObserver(ITextEditObserver* pObserver) override;
    void RemoveObserver(ITextEditObserver* pObserver) override;

    // Whole-text access for the document's loading and saving.
    long long TextLength() const;
    QByteArray TextBytes() const;
    // The text as its file holds it, for whatever reads it as XML (validation, XSLT, the live
    // check, the browser): a text decoded for editing is encoded back as Save would write it.
    QByteArray FileBytes() const;
    // Where the character at `nFileOffset` in FileBytes() is in the text.
    long long TextOffsetOf(long long nFileOffset) const;
    // The text as the control holds it, in up to two pieces, without copying it; valid until
    // the next change.
    std::vector<SByteSpan> TextPieces() const override;
    // Replaces the whole text without an undo step; the caret goes to offset 0. Wrapped up to
    // kLongestWrappedText bytes.
    void LoadBytes(const QByteArray& bytes, bool bUtf8);
    // Replaces the whole text with the rest of `reader`'s opened file as LoadBytes does, the
    // code page chosen by its UTF-8 test and declared encoding, read-only when it is UTF-16,
    // coloured on the way when `bColour`. When a piece cannot be read, returns false with
    // `error` naming the file and the previous text back.
    // `progress` may stop it, which leaves the previous text back and `error` empty.
    bool LoadFile(CDocumentReader& reader, bool bColour, QString& error,
                  const JobProgress& progress = {});
    // See CViewLoader::ReadForReplace.
    bool ReadForReplace(CDocumentReader& reader, SFileText& text, QString& error) const
    {
        return m_loader.ReadForReplace(reader, text, error);
    }
    // Replaces the whole text with `text` as one undo step, coloured as LoadFile colours; a
    // line too long to show at once is not painted until ShowHeldText.
    void ReplaceWith(const SFileText& text);
    void ClearText();
    void SetSavePoint();
    void EmptyUndoBuffer();
    // Undoes the last step, unasked, and empties the undo history, so that Redo cannot bring it
    // back either.
    void UndoAndForget();
    bool IsTextModified() const;

    void InsertElement(bool block);

    // Colours the complete tokens of `text`, which lies at `position`; `position` ends on the
    // first byte not coloured.
    void ColorMarkup(long long& position, const QByteArray& text);
    void ColorAll();
    // Colours now what is still to be coloured since the text was opened, with a progress dialog
    // once it runs longer than half a second; false when the user stopped it. Anything that
    // reads the styles, printing and its preview, calls this first.
    bool FinishColours();
    bool ColoursPending() const { return m_colours.IsPending(); }
    CColourPolicy& BackgroundColours() { return m_colours; }
    // A whole pass that `progress` may stop, leaving every style as it was; refused while
    // another long job runs. False when it did not finish.
    bool ColorAll(const JobProgress& progress);
    // With a progress dialog once it runs longer than half a second.
    void OnRecolor();

    // Zoom steps of the text, -10 to 20; 0 is the font's own size.
    void SetZoom(int nZoom);

    void SetWordWrap(bool bOn) override { m_wrap.SetOn(bOn); }
    bool WordWrap() const override { return m_wrap.IsOn(); }
    void ZoomStep(int nStep) override;
    // True when the text last loaded was left unwrapped for its length.
    bool LeftUnwrapped() const { return m_loader.LeftUnwrapped(); }
    QString ReadOnlyNote(const QString& strName) const override
    {
        return m_loader.ReadOnlyNote(strName);
    }
    // The longest line of the text last loaded, in bytes.
    long long LongestLine() const { return m_loader.LongestLine(); }
    // LoadFile and ReplaceWith leave a text with a line too long to show at once unpainted,
    // until this.
    void ShowHeldText();
    // Instead: the text LoadFile replaced, back as it was.
    void PutBackPreviousText();
    // Nothing painted until ShowHeldText, and no wrapping, when the text now has (or is about to
    // get) a line of up to `nLongestLine` bytes, too long to show at once.
    void HoldLongLine(long long nLongestLine);
    // After HoldLongLine, the text had no such line after all: wrapped as a loaded text, shown.
    void ShowWithoutLongLine();
    // The text was just formatted from one whose longest line is `nLongestLine` bytes, too long
    // to show at once: Undo asks before bringing that line back.
    void GuardUndoOfFormat(long long nLongestLine);

    void ShowLineNumbers(bool bShown) override { m_lineNumbers.Show(bShown); }
    bool LineNumbersShown() const override { return m_lineNumbers.IsShown(); }
    // Off: the text is coloured on opening, New, Alt+R and insertions only.
    void SetColourAsYouType(bool bOn) override;
    bool ColourAsYouType() const override { return m_colours.TypingColours(); }
    void SetFolding(bool bOn) override { m_folds.SetOn(bOn); }
    bool Folding() const override { return m_folds.IsOn(); }
    CFoldPolicy& Folds() { return m_folds; }
    CElementPath& Path() { return m_path; }
    CNameCompletion& Completion() { return m_completion; }
    void SetAutoIndent(bool bOn) override { m_typing.SetAutoIndent(bOn); }
    bool AutoIndent() const override { return m_typing.AutoIndentOn(); }
    void SetCloseStartTags(bool bOn) override { m_typing.SetCloseStartTags(bOn); }
    bool CloseStartTags() const override { return m_typing.CloseStartTagsOn(); }
    // Colours what was typed since the last time, when colouring as you type.
    void FlushTypingColours() { m_colours.FlushTyping(); }
    // The caret's line and column, both from 1: lines as the file counts them, the column in
    // characters, a tab counting one.
    std::pair<long long, long long> CaretLineColumn() const;

    void paste() override;
    // Colour what they bring back.
    // Asks before bringing back a line that Format XML broke at opening.
    void undo() override;
    void redo() override;

    CErrorMarker& ErrorMarker() { return m_errorMarker; }
    // The file's path, or the title of a document not saved yet, for messages.
    QString DocumentName() const override;

signals:
    void zoomChanged(int nZoom);
    // The caret moved. Stands for the control's cursorPositionChanged, which counts the column
    // from the line's start at every move: half a second on a 50 MB line.
    void caretMoved();

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;
    // A text loaded before the window first shows is wrapped at the width it shows at.
    void showEvent(QShowEvent* pEvent) override;
    // Also refuses what paste and drop must not turn into "?", whichever way they come.
    bool canInsertFromMimeData(const QMimeData* pSource) const override;

private:
    void RegisterCommands();
    long long Send(unsigned int nMsg, long long wParam = 0, long long lParam = 0) const;
    long long SelectionStart() const;
    long long SelectionEnd() const;
    QByteArray TextRange(long long start, long long end) const;
    void UnwrapIfTooLong();
    void OnTextEdit(const STextEdit& edit) override;
    void ReplaceCaretSignal();

    // Where the caret was when its column was last counted.
    struct SCaretColumn
    {
        bool bValid = false;
        long long nLine = -1;
        long long nPos = 0;
        long long nColumn = 0;
    };

    QPointer<CTarnelDoc> m_pDocument;
    mutable SCaretColumn m_caretColumn;
    long long m_nLastCaret = -1;         // for caretMoved
    long long m_nFormattedLongLine = 0;  // see GuardUndoOfFormat
    long long m_nSavedSelEnd = 0;
    long long m_nSavedSelStart = 0;
    bool m_bSavedCaretAtStart = false;
    QMarginsF m_mgnPrintInches;
    CEditNotifier m_edits{*this};
    CErrorMarker m_errorMarker{this, *this};
    CColourPolicy m_colours{*this, *this};
    CFoldPolicy m_folds{*this, *this};
    CMatchingTags m_matching{*this, m_folds};
    CElementPath m_path{*this, m_folds};
    CTypingAids m_typing{*this, m_folds};
    CNameCompletion m_completion{*this};
    CWordWrap m_wrap;
    CViewLoader m_loader;
    CViewInserter m_inserter;
    CInputFilter m_inputFilter;
    CLineNumberMargin m_lineNumbers{*this};
    CFormatUndoGuard m_formatGuard{*this, *this};
};
