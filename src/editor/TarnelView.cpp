#include "TarnelView.h"

#include "DocumentCodec.h"
#include "FileCodec.h"
#include "CommandIds.h"
#include "DocumentReader.h"
#include "EditorAccessibility.h"
#include "EditorSetup.h"
#include "FindReplaceDlg.h"
#include "FormatXml.h"
#include "JobGuard.h"
#include "JobProgressDlg.h"
#include "LongLineAdvice.h"
#include "MessageBox.h"
#include "PasteSpecialDlg.h"
#include "StatusNote.h"
#include "TarnelDoc.h"
#include "ViewFrame.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QShowEvent>
#include <QMimeData>

#include <algorithm>
#include <vector>

namespace {

constexpr long long kRowsAboveTarget = 10;

}  // namespace

CTarnelView::CTarnelView(CTarnelDoc* pDocument, QWidget* parent)
    : QsciScintilla(parent), m_pDocument(pDocument), m_wrap(*this),
      m_loader(*this, m_errorMarker, m_colours, m_wrap), m_inserter(*this, m_colours),
      m_inputFilter(*this)
{
    SetUpEditorLook(*this);
    ReleaseFrameShortcuts(*this, {});
    RegisterCommands();
    CEditorAccessibility::Attach(this);
    AddObserver(this);
    ReplaceCaretSignal();
    connect(this, &QsciScintillaBase::SCN_ZOOM, this,
            [this] { emit zoomChanged(static_cast<int>(Send(SCI_GETZOOM))); });
    connect(this, &QsciScintillaBase::SCN_MODIFYATTEMPTRO, this,
            [this] { ShowStatusNote(this, ReadOnlyNote(DocumentName()), true); });
    if (m_pDocument)
        m_pDocument->AddView(this);
}

void CTarnelView::ReplaceCaretSignal()
{
    // The control's handler only emits cursorPositionChanged (and matches braces, unused here).
    disconnect(this, SIGNAL(SCN_UPDATEUI(int)), this, SLOT(handleUpdateUI(int)));
    connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, [this] {
        const long long nCaret = Send(SCI_GETCURRENTPOS);
        if (nCaret == m_nLastCaret)
            return;
        m_nLastCaret = nCaret;
        emit caretMoved();
    });
}

CTarnelView::~CTarnelView()
{
    RemoveObserver(this);
    CEditorAccessibility::Detach(this);
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

CTarnelDoc* CTarnelView::GetDocument() const
{
    return m_pDocument;
}

void CTarnelView::RegisterCommands()
{
    OnCommand(ID_TAG_INSERT_INLINE, [this] { InsertElement(false); });
    OnCommand(ID_TAG_INSERT_BLOCK, [this] { InsertElement(true); });
    OnCommand(ID_VIEW_RECOLOR, [this] { OnRecolor(); });
    OnCommand(ID_TAG_INSERT_COMMENT, [this] { m_inserter.InsertComment(); });
    const auto needFolding = [this](CCmdUI& ui) { ui.Enable(m_folds.IsOn()); };
    OnCommand(
        ID_VIEW_FOLD, [this] { m_folds.FoldAtCaret(); }, needFolding);
    OnCommand(
        ID_VIEW_UNFOLD, [this] { m_folds.UnfoldAtCaret(); }, needFolding);
    OnCommand(
        ID_VIEW_FOLD_ALL, [this] { m_folds.FoldAll(); }, needFolding);
    OnCommand(
        ID_VIEW_UNFOLD_ALL, [this] { m_folds.UnfoldAll(); }, needFolding);
    OnCommand(ID_EDIT_GOTO_MATCH, [this] { m_matching.GoToPartner(); });
    OnCommand(ID_EDIT_SELECT_ELEMENT, [this] { m_matching.SelectElement(); });
    OnCommand(
        ID_EDIT_FORMAT_XML, [this] { CFormatXml::Run(*this); },
        [this](CCmdUI& ui) { ui.Enable(!isReadOnly()); });
    OnCommand(
        ID_EDIT_JOIN_MARKUP, [this] { CFormatXml::Run(*this, XmlFormatter::EMode::Join); },
        [this](CCmdUI& ui) { ui.Enable(!isReadOnly()); });
    // No embedded objects here: mapped only so the command shows disabled.
    OnCommand(ID_OLE_EDIT_PROPERTIES, nullptr);
    const auto needSelection = [this](CCmdUI& ui) { ui.Enable(hasSelectedText()); };
    OnCommand(
        ID_EDIT_UNDO, [this] { undo(); }, [this](CCmdUI& ui) { ui.Enable(isUndoAvailable()); });
    OnCommand(
        ID_EDIT_REDO, [this] { redo(); }, [this](CCmdUI& ui) { ui.Enable(isRedoAvailable()); });
    OnCommand(
        ID_EDIT_CUT, [this] { cut(); }, needSelection);
    OnCommand(
        ID_EDIT_COPY, [this] { copy(); }, needSelection);
    OnCommand(
        ID_EDIT_PASTE, [this] { paste(); },
        [](CCmdUI& ui) {
            const QMimeData* pData = QApplication::clipboard()->mimeData();
            ui.Enable(pData && pData->hasText());
        });
    OnCommand(
        ID_EDIT_PASTE_SPECIAL,
        [this] {
            QByteArray bytes;
            if (CPasteSpecialDlg::Choose(this, isUtf8(), DocumentName(), bytes,
                                         DocumentCodec(*this)))
                ReplaceSelection(bytes);
        },
        [](CCmdUI& ui) { ui.Enable(CPasteSpecialDlg::CanPaste()); });
    OnCommand(ID_EDIT_SELECT_ALL, [this] { selectAll(); });
    OnCommand(ID_EDIT_FIND, [this] { CFindReplaceDlg::ShowFind(this); });
    OnCommand(
        ID_EDIT_REPEAT, [this] { CFindReplaceDlg::FindNextAgain(this); },
        [](CCmdUI& ui) { ui.Enable(CFindReplaceDlg::HasFindText()); });
    OnCommand(ID_EDIT_REPLACE, [this] { CFindReplaceDlg::ShowReplace(this); });
}

void CTarnelView::LeaveKeysToWindow(const QList<QKeySequence>& windowKeys)
{
    ReleaseFrameShortcuts(*this, windowKeys);
}

void CTarnelView::OnInitialUpdate()
{
    if (m_pDocument)
        m_pDocument->RegisterEditView();
    m_mgnPrintInches = QMarginsF(0.5, 0.5, 0.5, 0.5);
}

long long CTarnelView::Send(unsigned int nMsg, long long wParam, long long lParam) const
{
    return SendScintilla(nMsg, static_cast<unsigned long>(wParam), static_cast<long>(lParam));
}

long long CTarnelView::SelectionStart() const
{
    return Send(SCI_GETSELECTIONSTART);
}

long long CTarnelView::SelectionEnd() const
{
    return Send(SCI_GETSELECTIONEND);
}

// ---- text primitives

void CTarnelView::ReplaceSelection(const QByteArray& text)
{
    // SCI_REPLACESEL stops at a NUL byte; deleting and adding by length keeps every byte and is
    // still one undo step.
    Send(SCI_BEGINUNDOACTION);
    SendScintilla(SCI_REPLACESEL, 0UL, "");
    SendScintilla(SCI_ADDTEXT, static_cast<uintptr_t>(text.size()), text.constData());
    Send(SCI_ENDUNDOACTION);
    Send(SCI_SCROLLCARET);
}

void CTarnelView::SaveSelection()
{
    m_nSavedSelStart = SelectionStart();
    m_nSavedSelEnd = SelectionEnd();
    m_bSavedCaretAtStart = Send(SCI_GETCURRENTPOS) < Send(SCI_GETANCHOR);
}

void CTarnelView::RestoreSelection()
{
    if (SelectionStart() == m_nSavedSelStart && SelectionEnd() == m_nSavedSelEnd)
        return;  // unchanged: leave the scroll position alone too
    if (m_bSavedCaretAtStart)
        Send(SCI_SETSEL, m_nSavedSelEnd, m_nSavedSelStart);
    else
        Send(SCI_SETSEL, m_nSavedSelStart, m_nSavedSelEnd);
}

int CTarnelView::ReadTextChunk(char* buffer, long long offset, int count)
{
    const long long nLength = TextLength();
    if (offset < 0 || count <= 0 || offset >= nLength) {
        if (count >= 0)
            buffer[0] = '\0';
        return 0;
    }
    const long long nEnd = std::min(offset + count, nLength);
    SendScintilla(SCI_GETTEXTRANGE, static_cast<long>(offset), static_cast<long>(nEnd), buffer);
    return static_cast<int>(nEnd - offset);
}

void CTarnelView::ShowMessage(const QString& text)
{
    AfxMessageBox(text);
}

void CTarnelView::GoToLine(int line)
{
    const long long nLineCount = Send(SCI_GETLINECOUNT);
    const long long nLine = std::max(line, 0);
    const long long nTarget = std::min(nLine, nLineCount - 1);
    const long long nPos = nLine < nLineCount ? Send(SCI_POSITIONFROMLINE, nLine) : TextLength();
    Send(SCI_SETEMPTYSELECTION, nPos);
    UnwrapIfTooLong();
    // Makes sure wrapping is known down to the target, so its display row is right.
    Send(SCI_ENSUREVISIBLE, nTarget);
    // Display rows, wrapped lines counting several; fewer in a pane too low for the target too.
    const long long nRowsAbove = std::clamp(Send(SCI_LINESONSCREEN) - 1, 0LL, kRowsAboveTarget);
    const long long nTargetRow = Send(SCI_VISIBLEFROMDOCLINE, nTarget);
    Send(SCI_SETFIRSTVISIBLELINE, std::max(nTargetRow - nRowsAbove, 0LL));
}

void CTarnelView::Activate()
{
    if (IViewFrame* pFrame = GetParentFrame(this))
        pFrame->SetActiveView(this);
}

// ---- whole text

long long CTarnelView::TextLength() const
{
    return Send(SCI_GETLENGTH);
}

QByteArray CTarnelView::TextBytes() const
{
    return TextRange(0, TextLength());
}

QByteArray CTarnelView::FileBytes() const
{
    const CFileCodec* pCodec = DocumentCodec(*this);
    if (!pCodec)
        return TextBytes();
    std::string bytes;
    std::string strReason;
    // Text that cannot be encoded (none can be typed in) goes as it is: the reader then says why.
    if (!pCodec->Encode(Text(0, TextLength()), bytes, strReason))
        return TextBytes();
    return QByteArray::fromStdString(bytes);
}

long long CTarnelView::TextOffsetOf(long long nFileOffset) const
{
    const CFileCodec* pCodec = DocumentCodec(*this);
    if (!pCodec || nFileOffset < 0)
        return nFileOffset;
    return static_cast<long long>(
        pCodec->TextOffset(Text(0, TextLength()), static_cast<std::size_t>(nFileOffset)));
}

std::vector<SByteSpan> CTarnelView::TextPieces() const
{
    // The two sides of the buffer's gap: asking for a range on one side does not move the gap.
    const long long nLength = TextLength();
    const long long nGap = std::min(Send(SCI_GETGAPPOSITION), nLength);
    std::vector<SByteSpan> pieces;
    for (const auto& [nStart, nEnd] : {std::pair(0LL, nGap), std::pair(nGap, nLength)}) {
        if (nEnd > nStart) {
            const auto* pData =
                reinterpret_cast<const char*>(Send(SCI_GETRANGEPOINTER, nStart, nEnd - nStart));
            pieces.push_back({pData, static_cast<std::size_t>(nEnd - nStart)});
        }
    }
    return pieces;
}

char CTarnelView::ByteAt(long long position) const
{
    return static_cast<char>(Send(SCI_GETCHARAT, position));
}

MarkupStyle CTarnelView::StyleAt(long long position) const
{
    return static_cast<MarkupStyle>(Send(SCI_GETSTYLEAT, position));
}

std::size_t CTarnelView::Read(long long position, char* buffer, std::size_t count) const
{
    const long long nEnd = std::min(position + static_cast<long long>(count), TextLength());
    if (position < 0 || nEnd <= position)
        return 0;
    // The control ends a range with a NUL: all but the last byte go through the range, leaving
    // room for it, and the last byte is asked for alone.
    SendScintilla(SCI_GETTEXTRANGE, static_cast<long>(position), static_cast<long>(nEnd - 1),
                  buffer);
    buffer[nEnd - 1 - position] = ByteAt(nEnd - 1);
    return static_cast<std::size_t>(nEnd - position);
}

void CTarnelView::SetStyles(long long start, const char* styles, std::size_t length)
{
    // The colour adapter is the one place that sets styles on the control.
    m_colours.Text().SetStyles(start, styles, length);
}

void CTarnelView::Replace(long long position, long long nRemoved, const char* bytes,
                          std::size_t length)
{
    Send(SCI_SETTARGETRANGE, position, position + nRemoved);
    SendScintilla(SCI_REPLACETARGET, static_cast<uintptr_t>(length), bytes);
}

void CTarnelView::BeginUndoGroup()
{
    Send(SCI_BEGINUNDOACTION);
}

void CTarnelView::EndUndoGroup()
{
    Send(SCI_ENDUNDOACTION);
}

void CTarnelView::AddObserver(ITextEditObserver* pObserver)
{
    m_edits.Observers().Add(pObserver);
}

void CTarnelView::RemoveObserver(ITextEditObserver* pObserver)
{
    m_edits.Observers().Remove(pObserver);
}

void CTarnelView::OnTextEdit(const STextEdit& edit)
{
    // The edit is not made yet. The column counted up to it stays right, so the count goes back
    // to the edit instead of starting again from the line's start.
    SCaretColumn& known = m_caretColumn;
    if (!known.bValid || edit.nPosition > known.nPos
        || (edit.nPosition == known.nPos && known.nColumn > 0))
        return;
    if (Send(SCI_LINEFROMPOSITION, edit.nPosition) != known.nLine || known.nColumn == 0) {
        known.bValid = false;
        return;
    }
    known.nColumn -= Send(SCI_COUNTCHARACTERS, edit.nPosition, known.nPos);
    known.nPos = edit.nPosition;
}

QByteArray CTarnelView::TextRange(long long start, long long end) const
{
    const qsizetype nCount = static_cast<qsizetype>(end - start);
    QByteArray bytes(nCount + 1, Qt::Uninitialized);  // room for the NUL Scintilla adds
    SendScintilla(SCI_GETTEXTRANGE, static_cast<long>(start), static_cast<long>(end), bytes.data());
    bytes.resize(nCount);
    return bytes;
}

void CTarnelView::showEvent(QShowEvent* pEvent)
{
    QsciScintilla::showEvent(pEvent);
    if (!pEvent->spontaneous())
        m_wrap.WrapAllNow();
}

void CTarnelView::keyPressEvent(QKeyEvent* pEvent)
{
    UnwrapIfTooLong();
    if (m_inserter.TakeKey(pEvent->key(), pEvent->modifiers()))
        return;
    QsciScintilla::keyPressEvent(pEvent);
}

bool CTarnelView::canInsertFromMimeData(const QMimeData* pSource) const
{
    return QsciScintilla::canInsertFromMimeData(pSource) && !m_inputFilter.Refuses(pSource->text());
}

void CTarnelView::paste()
{
    if (!m_inputFilter.AdmitsClipboard(QClipboard::Clipboard))
        return;
    AdoptFirstLineEnd(*this);
    QsciScintilla::paste();
}

void CTarnelView::SetZoom(int nZoom)
{
    zoomTo(std::clamp(nZoom, -10, 20));
}

void CTarnelView::ZoomStep(int nStep)
{
    if (nStep > 0)
        zoomIn();
    else if (nStep < 0)
        zoomOut();
    else
        SetZoom(0);
}

void CTarnelView::LoadBytes(const QByteArray& bytes, bool bUtf8)
{
    m_colours.StopSlices();
    m_formatGuard.Disarm();
    m_loader.LoadBytes(bytes, bUtf8);
    m_folds.Restart();
}

bool CTarnelView::LoadFile(CDocumentReader& reader, bool bColour, QString& error,
                           const JobProgress& progress)
{
    m_colours.StopSlices();
    // A text to be wrapped is short and coloured at once. A longer one shows at once and is
    // coloured while the editor is idle: colouring it would take as long again as reading it.
    const bool bColourNow = bColour && reader.SizeHint() <= kLongestWrappedText;
    m_formatGuard.Disarm();
    // Nothing is painted while the text comes in (a progress dialog lets the window paint), nor
    // afterwards when a line is too long to show at once: the user chooses first.
    setUpdatesEnabled(false);
    const bool bLoaded = m_loader.LoadFile(reader, bColourNow, error, progress);
    if (!bLoaded || !CLongLineAdvice(LongestLine()).NeedsChoice())
        setUpdatesEnabled(true);
    // The previous text back after a failure or Cancel is coloured like an opened one.
    if (bLoaded ? bColour && !bColourNow : TextLength() > kLongestWrappedText)
        m_colours.StartSlices();
    m_folds.Restart();
    return bLoaded;
}

bool CTarnelView::FinishColours()
{
    if (!m_colours.IsPending() || CJobGuard::IsRunning())
        return !m_colours.IsPending();
    const CJobGuard guard;
    CJobProgressDlg dialog(QStringLiteral("Colouring %1...").arg(DocumentName()), window());
    return m_colours.Finish(dialog.Callback());
}

void CTarnelView::UnwrapIfTooLong()
{
    m_wrap.UnwrapIfTooLong(TextLength());
}

void CTarnelView::ReplaceWith(const SFileText& text)
{
    m_colours.StopSlices();
    if (CLongLineAdvice(text.nLongestLine).NeedsChoice())
        setUpdatesEnabled(false);
    m_loader.ReplaceWith(text);
    if (TextLength() <= kLongestWrappedText)
        ColorAll();
    else
        m_colours.StartSlices();
}

void CTarnelView::ShowHeldText()
{
    m_loader.DropHeld();
    setUpdatesEnabled(true);
}

void CTarnelView::PutBackPreviousText()
{
    m_colours.StopSlices();
    m_loader.PutBackHeld();
    if (TextLength() > kLongestWrappedText)
        m_colours.StartSlices();
    m_folds.Restart();
    setUpdatesEnabled(true);
}

void CTarnelView::HoldLongLine(long long nLongestLine)
{
    if (!CLongLineAdvice(nLongestLine).NeedsChoice())
        return;
    setUpdatesEnabled(false);
    // Wrapping lays out every line, at the latest when the editor is next idle.
    m_wrap.Reset(kLongestWrappedText + 1);
}

void CTarnelView::ShowWithoutLongLine()
{
    if (!updatesEnabled()) {
        m_wrap.Reset(TextLength());
        m_wrap.WrapAllNow();
    }
    ShowHeldText();
}

void CTarnelView::ClearText()
{
    LoadBytes(QByteArray(), true);
}

void CTarnelView::SetSavePoint()
{
    Send(SCI_SETSAVEPOINT);
}

void CTarnelView::undo()
{
    const auto step = [this] { m_colours.RunUndoStep([this] { QsciScintilla::undo(); }); };
    m_formatGuard.Undo(step, [this] {
        const CLongLineAdvice advice(m_nFormattedLongLine);
        return m_pDocument
               // No is the default: Return must not bring the wait back.
               && m_pDocument->Questions().AskYesNo(advice.UndoQuestion(), true)
                      == IDocumentQuestions::EAnswer::Yes;
    });
}

void CTarnelView::redo()
{
    m_formatGuard.Redo([this] { m_colours.RunUndoStep([this] { QsciScintilla::redo(); }); });
}

void CTarnelView::GuardUndoOfFormat(long long nLongestLine)
{
    m_nFormattedLongLine = nLongestLine;
    m_formatGuard.Arm();
}

void CTarnelView::EmptyUndoBuffer()
{
    m_formatGuard.Disarm();
    Send(SCI_EMPTYUNDOBUFFER);
}

void CTarnelView::UndoAndForget()
{
    m_colours.RunUndoStep([this] { QsciScintilla::undo(); });
    EmptyUndoBuffer();
}

bool CTarnelView::IsTextModified() const
{
    return Send(SCI_GETMODIFY) != 0;
}

// ---- insertions

void CTarnelView::InsertElement(bool block)
{
    m_inserter.InsertElement(block);
}

// ---- colouring

void CTarnelView::ColorMarkup(long long& position, const QByteArray& text)
{
    m_colours.ColorMarkup(position, text);
}

void CTarnelView::SetColourAsYouType(bool bOn)
{
    // Colouring an edit starts from the styles around it, which must be a whole pass's.
    if (bOn && !m_colours.TypingColours())
        ColorAll();
    m_colours.SetTypingColours(bOn);
}

std::pair<long long, long long> CTarnelView::CaretLineColumn() const
{
    const long long nCaret = Send(SCI_GETCURRENTPOS);
    const long long nLine = Send(SCI_LINEFROMPOSITION, nCaret);
    // Counts from where the caret last was on the same line, not from the line's start: a text
    // of one long line would otherwise be counted from its start at every move.
    SCaretColumn& known = m_caretColumn;
    if (known.nLine != nLine || !known.bValid) {
        known = {true, nLine, Send(SCI_POSITIONFROMLINE, nLine), 0};
    }
    known.nColumn += nCaret >= known.nPos ? Send(SCI_COUNTCHARACTERS, known.nPos, nCaret)
                                          : -Send(SCI_COUNTCHARACTERS, nCaret, known.nPos);
    known.nPos = nCaret;
    return {nLine + 1, known.nColumn + 1};
}

void CTarnelView::ColorAll()
{
    m_colours.ColorAll();
}

bool CTarnelView::ColorAll(const JobProgress& progress)
{
    if (CJobGuard::IsRunning())
        return false;
    const CJobGuard guard;
    return m_colours.ColorAll(progress);
}

void CTarnelView::OnRecolor()
{
    if (CJobGuard::IsRunning())
        return;
    // The pass reads and styles without touching the selection, so it stays as it was.
    CJobProgressDlg dialog(QStringLiteral("Colouring %1...").arg(DocumentName()), window());
    ColorAll(dialog.Callback());
}

QString CTarnelView::DocumentName() const
{
    if (!m_pDocument)
        return QStringLiteral("the document");
    const QString strPath = m_pDocument->GetPathName();
    return strPath.isEmpty() ? m_pDocument->GetTitle() : strPath;
}
