// Puts a whole new text into the editor: no undo step, no per-insertion notifications, the
// code page chosen for the bytes, and the previous text back when a file cannot be read.
#pragma once

#include "JobProgress.h"

#include <QByteArray>
#include <QString>

class CDocumentReader;
class CFileCodec;
class CErrorMarker;
class CLoadPipeline;
struct SLoadPiece;
class CColourPolicy;
class CWordWrap;
class IEditorPane;
class QsciScintilla;

// A file's whole text read to replace the editor's, as the editor will hold it.
struct SFileText
{
    QByteArray bytes;
    const CFileCodec* pCodec = nullptr;  // what decoded the file's bytes; null: taken as they are
    bool bUtf8 = false;
    long long nLongestLine = 0;
};

class CViewLoader
{
public:
    CViewLoader(IEditorPane& pane, CErrorMarker& errorMarker, CColourPolicy& colorizer,
                CWordWrap& wrap);

    // Replaces the whole text, editable; the caret goes to offset 0.
    void LoadBytes(const QByteArray& bytes, bool bUtf8);
    // Replaces the whole text with the rest of `reader`'s opened file, the code page chosen by
    // its UTF-8 test and declared encoding: UTF-16 and declared single-byte encodings decoded
    // into UTF-8, UTF-32 and undecodable bytes shown as they are, read-only; coloured when
    // `bColour` (before it is wrapped: a style change would lay its lines out again). When a
    // piece cannot be read, returns false with `error` naming the file and the previous text back,
    // coloured if it is to be wrapped. `progress` may stop it, which leaves the previous text back and `error` empty.
    bool LoadFile(CDocumentReader& reader, bool bColour, QString& error,
                  const JobProgress& progress = {});
    // Reads the rest of `reader`'s opened file for ReplaceWith, leaving the editor as it is.
    // False with `error` naming the file when it cannot be read, and false with `error` empty
    // when the file would open read-only, which a replacement could not undo.
    bool ReadForReplace(CDocumentReader& reader, SFileText& text, QString& error) const;
    // Replaces the whole text with `text` as one undo step, so that Undo brings the previous
    // text back; a line too long to show at once leaves it unwrapped.
    void ReplaceWith(const SFileText& text);
    // What the user is told of a file the editor shows read-only: UTF-32, or bytes its encoding
    // could not write back as they are. Empty while the text is editable.
    QString ReadOnlyNote(const QString& strName) const;
    // What the user is told of a text left unwrapped for its length.
    static QString UnwrappedNote(const QString& strName);
    // True when the text last loaded was left unwrapped for its length.
    bool LeftUnwrapped() const { return m_bLeftUnwrapped; }
    // The longest line of the text last loaded, in bytes.
    long long LongestLine() const { return m_nLongestLine; }
    // LoadFile keeps the text it replaced when the new one has a line too long to show at
    // once, until one of these.
    void PutBackHeld();
    void DropHeld() { m_held = SPreviousText(); }

private:
    // What LoadFile replaced, to put back.
    struct SPreviousText
    {
        QByteArray text;
        bool bUtf8 = true;
        bool bModified = false;
        bool bReadOnly = false;
        const CFileCodec* pCodec = nullptr;
        QString strReason;
    };

    long long Send(unsigned int nMsg, long long wParam = 0, long long lParam = 0) const;
    void BeginLoad(long long nSizeHint);
    void EndLoad();
    // Appends the pipeline's pieces from `piece` on; false when one could not be read.
    bool TakePieces(CLoadPipeline& pipeline, SLoadPiece& piece, long long nSizeHint,
                    const JobProgress& progress, bool& bCancelled);
    void RestoreText(const QByteArray& text, bool bUtf8, bool bModified);
    void Restore(const SPreviousText& previous);
    // Turns the file's bytes the control holds into UTF-8 text; false, with `error` saying why
    // ("cannot be edited as ..."), when they cannot be written back as they are, which leaves
    // them.
    bool DecodeText(const CFileCodec& codec, QString& error);
    QByteArray WholeText() const;

    IEditorPane& m_pane;
    QsciScintilla& m_editor;
    CErrorMarker& m_errorMarker;
    CColourPolicy& m_colorizer;
    CWordWrap& m_wrap;
    bool m_bLeftUnwrapped = false;
    QString m_strReadOnlyReason;  // why the text loaded last is read-only; empty when it is not
    long long m_nLongestLine = 0;
    SPreviousText m_held;
    long long m_nLoadEventMask = 0;  // saved by BeginLoad for EndLoad
};
