// Puts a whole new text into the editor: no undo step, no per-insertion notifications, the
// code page chosen for the bytes, and the previous text back when a file cannot be read.
#pragma once

#include "JobProgress.h"

#include <QByteArray>
#include <QString>

class CDocumentReader;
class CErrorMarker;
class CLoadPipeline;
struct SLoadPiece;
class CColourPolicy;
class CWordWrap;
class IEditorPane;
class QsciScintilla;

class CViewLoader
{
public:
    CViewLoader(IEditorPane& pane, CErrorMarker& errorMarker, CColourPolicy& colorizer,
                CWordWrap& wrap);

    // Replaces the whole text, editable; the caret goes to offset 0.
    void LoadBytes(const QByteArray& bytes, bool bUtf8);
    // Replaces the whole text with the rest of `reader`'s opened file, the code page chosen by
    // its UTF-8 test and declared encoding, read-only when it is UTF-16, coloured when
    // `bColour` (before it is wrapped: a style change would lay its lines out again). When a
    // piece cannot be read, returns false with `error` naming the file and the previous text back,
    // coloured if it is to be wrapped. `progress` may stop it, which leaves the previous text back and `error` empty.
    bool LoadFile(CDocumentReader& reader, bool bColour, QString& error,
                  const JobProgress& progress = {});
    // Replaces the whole text with the rest of `reader`'s opened file as one undo step, so that
    // Undo brings the previous text back. False with `error` naming the file when it cannot be
    // read, and false with `error` empty when it is UTF-16, which is read-only and so could not
    // be undone; either leaves the text as it was.
    bool ReplaceWithFile(CDocumentReader& reader, QString& error);
    // What the user is told of a UTF-16 file, opened read-only.
    static QString WideTextNote(const QString& strName);
    // What the user is told of a text left unwrapped for its length.
    static QString UnwrappedNote(const QString& strName);
    // True when the text last loaded was left unwrapped for its length.
    bool LeftUnwrapped() const { return m_bLeftUnwrapped; }
    // The longest line of the text last loaded, in bytes.
    long long LongestLine() const { return m_nLongestLine; }

private:
    long long Send(unsigned int nMsg, long long wParam = 0, long long lParam = 0) const;
    void BeginLoad(long long nSizeHint);
    void EndLoad();
    // Appends the pipeline's pieces from `piece` on; false when one could not be read.
    bool TakePieces(CLoadPipeline& pipeline, SLoadPiece& piece, long long nSizeHint,
                    const JobProgress& progress, bool& bCancelled);
    void RestoreText(const QByteArray& text, bool bUtf8, bool bModified);
    QByteArray WholeText() const;

    IEditorPane& m_pane;
    QsciScintilla& m_editor;
    CErrorMarker& m_errorMarker;
    CColourPolicy& m_colorizer;
    CWordWrap& m_wrap;
    bool m_bLeftUnwrapped = false;
    long long m_nLongestLine = 0;
    long long m_nLoadEventMask = 0;  // saved by BeginLoad for EndLoad
};
