#include "ViewLoader.h"

#include "DocumentFile.h"
#include "DocumentReader.h"
#include "EditorPane.h"
#include "EditorSetup.h"
#include "ErrorMarker.h"
#include "DocumentCodec.h"
#include "FileCodec.h"
#include "LineLengthScan.h"
#include "LoadPipeline.h"
#include "LongLineAdvice.h"
#include "ColourPolicy.h"
#include "WordWrap.h"

#include <Qsci/qsciscintilla.h>

#include <algorithm>
#include <new>

namespace {

using Sci = QsciScintillaBase;

constexpr long long kLoadSlack = 1 << 20;

}  // namespace

CViewLoader::CViewLoader(IEditorPane& pane, CErrorMarker& errorMarker, CColourPolicy& colorizer,
                         CWordWrap& wrap)
    : m_pane(pane), m_editor(pane.Control()), m_errorMarker(errorMarker), m_colorizer(colorizer),
      m_wrap(wrap)
{
}

long long CViewLoader::Send(unsigned int nMsg, long long wParam, long long lParam) const
{
    return m_editor.SendScintilla(nMsg, static_cast<unsigned long>(wParam),
                                  static_cast<long>(lParam));
}

void CViewLoader::BeginLoad(long long nSizeHint)
{
    // Each of these would cost several times the text's size: QScintilla copies and converts
    // inserted text for its modification signal and accessibility, wrapping lays out every line
    // at once, and the undo history keeps a copy.
    m_errorMarker.Clear();
    Send(Sci::SCI_SETREADONLY, 0);
    m_nLoadEventMask = Send(Sci::SCI_GETMODEVENTMASK);
    Send(Sci::SCI_SETMODEVENTMASK, 0);
    Send(Sci::SCI_SETWRAPMODE, Sci::SC_WRAP_NONE);
    Send(Sci::SCI_SETUNDOCOLLECTION, 0);
    Send(Sci::SCI_CLEARALL);
    // Room to type in: otherwise an early keystroke copies the whole text to grow the buffer.
    Send(Sci::SCI_ALLOCATE, nSizeHint + kLoadSlack);
}

void CViewLoader::EndLoad()
{
    Send(Sci::SCI_SETUNDOCOLLECTION, 1);
    Send(Sci::SCI_EMPTYUNDOBUFFER);
    // Wrapping lays out every line: a line too long to show at once is not wrapped either.
    const bool bLongLine = CLongLineAdvice(m_nLongestLine).NeedsChoice();
    m_bLeftUnwrapped = m_wrap.Reset(bLongLine ? kLongestWrappedText + 1 : m_pane.Length());
    m_wrap.WrapAllNow();
    Send(Sci::SCI_SETMODEVENTMASK, m_nLoadEventMask);
    // At the start without scrolling to the caret, which would lay out its whole line.
    Send(Sci::SCI_SETEMPTYSELECTION, 0);
    Send(Sci::SCI_SETFIRSTVISIBLELINE, 0);
    Send(Sci::SCI_SETXOFFSET, 0);
    AdoptFirstLineEnd(m_editor);
}

void CViewLoader::LoadBytes(const QByteArray& bytes, bool bUtf8)
{
    BeginLoad(bytes.size());
    SetDocumentCodec(m_editor, nullptr);
    m_strReadOnlyReason.clear();
    CLineLengthScan lines;
    lines.Feed(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    m_nLongestLine = lines.Longest();
    Send(Sci::SCI_SETCODEPAGE, bUtf8 ? Sci::SC_CP_UTF8 : 0);
    m_editor.SendScintilla(Sci::SCI_APPENDTEXT, static_cast<uintptr_t>(bytes.size()),
                           bytes.constData());
    EndLoad();
}

bool CViewLoader::LoadFile(CDocumentReader& reader, bool bColour, QString& error,
                           const JobProgress& progress)
{
    // Reading and the UTF-8 test run beside the editor taking in the text.
    CLoadPipeline pipeline(reader);
    SLoadPiece piece;
    // A first piece that cannot be read leaves everything as it was.
    if (!pipeline.Next(piece) && pipeline.Failed()) {
        error = pipeline.Error();
        return false;
    }
    // Kept to restore when a later piece cannot be read; an empty file has no later piece.
    SPreviousText previous;
    try {
        if (!piece.text.isEmpty())
            previous.text = WholeText();
    } catch (const std::bad_alloc&) {
        error = OutOfMemorySentence(reader.Path());
        return false;
    }
    previous.bUtf8 = Send(Sci::SCI_GETCODEPAGE) == Sci::SC_CP_UTF8;
    previous.bModified = Send(Sci::SCI_GETMODIFY) != 0;
    previous.bReadOnly = m_editor.isReadOnly();
    previous.pCodec = DocumentCodec(m_editor);
    previous.strReason = m_strReadOnlyReason;

    bool bLoaded = false;
    bool bCancelled = false;
    try {
        bLoaded = TakePieces(pipeline, piece, reader.SizeHint(), progress, bCancelled);
        if (!bLoaded && !bCancelled)
            error = pipeline.Error();
    } catch (const std::bad_alloc&) {
        // Thrown by the control while it grows its buffers; what it holds is still consistent.
        error = OutOfMemorySentence(reader.Path());
    }
    if (!bLoaded) {
        Restore(previous);
        return false;
    }
    const CFileCodec* pCodec = pipeline.Codec();
    m_strReadOnlyReason.clear();
    if (pipeline.IsWide())
        m_strReadOnlyReason = QStringLiteral("is UTF-32 text, which Tarnel cannot edit");
    else if (pCodec && !DecodeText(*pCodec, m_strReadOnlyReason))
        pCodec = nullptr;
    SetDocumentCodec(m_editor, pCodec);
    m_nLongestLine = pipeline.LongestLine();
    // Known only now; changing it keeps the text and its line index.
    Send(Sci::SCI_SETCODEPAGE, pipeline.IsUtf8() || pCodec ? Sci::SC_CP_UTF8 : 0);
    if (bColour)
        m_colorizer.ColorAll();
    EndLoad();
    // Put back if the user would rather not have it.
    m_held = CLongLineAdvice(m_nLongestLine).NeedsChoice() ? std::move(previous) : SPreviousText();
    Send(Sci::SCI_SETREADONLY, !m_strReadOnlyReason.isEmpty());
    CarryOn(progress, m_pane.Length(), m_pane.Length());
    return true;
}

bool CViewLoader::ReadForReplace(CDocumentReader& reader, SFileText& text, QString& error) const
{
    CLoadPipeline pipeline(reader);
    try {
        for (SLoadPiece piece; pipeline.Next(piece);)
            text.bytes += piece.text;
    } catch (const std::bad_alloc&) {
        error = OutOfMemorySentence(reader.Path());
        return false;
    }
    if (pipeline.Failed()) {
        error = pipeline.Error();
        return false;
    }
    if (pipeline.IsWide())
        return false;
    text.pCodec = pipeline.Codec();
    text.bUtf8 = pipeline.IsUtf8() || text.pCodec;
    text.nLongestLine = pipeline.LongestLine();
    if (!text.pCodec)
        return true;
    try {
        std::string utf8;
        std::string strReason;
        if (!text.pCodec->Decode(text.bytes.toStdString(), utf8, strReason))
            return false;
        text.bytes = QByteArray::fromStdString(utf8);
    } catch (const std::bad_alloc&) {
        error = OutOfMemorySentence(reader.Path());
        return false;
    }
    // Decoded, its lines are longer than the file's.
    CLineLengthScan lines;
    lines.Feed(text.bytes.constData(), static_cast<std::size_t>(text.bytes.size()));
    text.nLongestLine = lines.Longest();
    return true;
}

void CViewLoader::ReplaceWith(const SFileText& text)
{
    m_errorMarker.Clear();
    m_nLongestLine = text.nLongestLine;
    // Unwrapped first: wrapping would lay the line out as soon as it comes in.
    if (CLongLineAdvice(m_nLongestLine).NeedsChoice())
        m_bLeftUnwrapped = m_wrap.Reset(kLongestWrappedText + 1);
    m_pane.BeginUndoGroup();
    m_pane.Replace(0, m_pane.Length(), text.bytes.constData(),
                   static_cast<std::size_t>(text.bytes.size()));
    m_pane.EndUndoGroup();
    SetDocumentCodec(m_editor, text.pCodec);
    Send(Sci::SCI_SETCODEPAGE, text.bUtf8 ? Sci::SC_CP_UTF8 : 0);
}

bool CViewLoader::TakePieces(CLoadPipeline& pipeline, SLoadPiece& piece, long long nSizeHint,
                             const JobProgress& progress, bool& bCancelled)
{
    BeginLoad(std::max<long long>(nSizeHint, piece.text.size()));
    long long nDone = 0;
    for (bool bMore = !piece.text.isEmpty(); bMore; bMore = pipeline.Next(piece)) {
        m_editor.SendScintilla(Sci::SCI_APPENDTEXT, static_cast<uintptr_t>(piece.text.size()),
                               piece.text.constData());
        nDone += piece.text.size();
        if (!CarryOn(progress, nDone, std::max(nSizeHint, nDone))) {
            bCancelled = true;
            return false;
        }
    }
    return !pipeline.Failed();
}

QByteArray CViewLoader::WholeText() const
{
    QByteArray bytes(static_cast<qsizetype>(m_pane.Length()), Qt::Uninitialized);
    m_pane.Read(0, bytes.data(), static_cast<std::size_t>(bytes.size()));
    return bytes;
}

QString CViewLoader::UnwrappedNote(const QString& strName)
{
    return QStringLiteral("%1 is shown unwrapped: at this length, wrapping its lines would keep "
                          "the editor waiting. View > Word Wrap wraps them.")
        .arg(strName);
}

QString CViewLoader::ReadOnlyNote(const QString& strName) const
{
    if (m_strReadOnlyReason.isEmpty())
        return QString();
    // The reason first: the status bar may not show the whole sentence.
    return QStringLiteral("%1 %2: it is shown byte for byte, read-only, and saved unchanged.")
        .arg(strName, m_strReadOnlyReason);
}

bool CViewLoader::DecodeText(const CFileCodec& codec, QString& error)
{
    std::string utf8;
    std::string strReason;
    bool bDecoded = false;
    try {
        bDecoded = codec.Decode(WholeText().toStdString(), utf8, strReason);
    } catch (const std::bad_alloc&) {
        strReason = "this computer's memory cannot hold its text beside its bytes";
    }
    if (!bDecoded) {
        error = QStringLiteral("cannot be edited as %1 text (%2)")
                    .arg(QString::fromStdString(codec.Label()), QString::fromStdString(strReason));
        return false;
    }
    Send(Sci::SCI_CLEARALL);
    Send(Sci::SCI_SETCODEPAGE, Sci::SC_CP_UTF8);
    m_editor.SendScintilla(Sci::SCI_APPENDTEXT, static_cast<uintptr_t>(utf8.size()), utf8.data());
    return true;
}

void CViewLoader::Restore(const SPreviousText& previous)
{
    Send(Sci::SCI_CLEARALL);
    m_nLongestLine = 0;
    EndLoad();
    RestoreText(previous.text, previous.bUtf8, previous.bModified);
    Send(Sci::SCI_SETREADONLY, previous.bReadOnly);
    SetDocumentCodec(m_editor, previous.pCodec);
    m_strReadOnlyReason = previous.strReason;
}

void CViewLoader::PutBackHeld()
{
    const SPreviousText held = std::move(m_held);
    m_held = SPreviousText();
    Restore(held);
}

void CViewLoader::RestoreText(const QByteArray& text, bool bUtf8, bool bModified)
{
    LoadBytes(text, bUtf8);
    // A longer text is left to be coloured while the editor is idle.
    if (text.size() <= kLongestWrappedText)
        m_colorizer.ColorAll();
    if (bModified) {
        // Nothing to undo but a marker: the text still differs from its file.
        Send(Sci::SCI_SETSAVEPOINT);
        Send(Sci::SCI_ADDUNDOACTION, 0, 0);
    }
}
