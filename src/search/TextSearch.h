// Finding and replacing in the editor's text through Scintilla's search, without any dialog.
#pragma once

#include "JobProgress.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QByteArray;
class QsciScintilla;

// What to search for; the last one is kept so that F3 can repeat it.
struct SSearch
{
    QString strFind;
    QString strReplace;
    bool bWholeWord = false;
    bool bMatchCase = false;
    bool bDown = true;
    // The control's C++11 (ECMAScript) regular expressions; "\1" in the replacement is a group.
    bool bRegex = false;
};

class CTextSearch
{
public:
    CTextSearch(QsciScintilla& editor, const SSearch& search) : m_editor(editor), m_search(search)
    {
    }

    // Whether the document can hold the text searched for, and the replacement: an 8-bit
    // document cannot hold characters beyond Latin-1.
    bool FindFits() const;
    bool ReplacementFits() const;
    enum class EFound
    {
        Yes,
        AfterWrapping,
        No
    };

    // Selects the next match after the selection (or the previous one before it, searching up);
    // past the end (or the start) the search goes on from the other end of the text.
    EFound FindNext();
    // Whether the selection is exactly one match.
    bool SelectionIsMatch();
    // Replaces the selection, a match SelectionIsMatch just found, and selects the replacement so
    // the search goes on after it, never inside it.
    void ReplaceSelection();
    // Replaces every match in the whole text as one undo step; the number replaced. The matches
    // are those of the text before any is replaced. First every match is found, and `progress`
    // may stop the job then: nothing is replaced and nullopt returned. `onReplacing` is called
    // before the first replacement; from there on the job runs to its end, still telling
    // `progress` how far it got. Refused (nullopt) while another long job runs. The selection
    // stays on the text it was on, moved by what was replaced before it.
    std::optional<int> ReplaceAll(const JobProgress& progress = {},
                                  const std::function<void()>& onReplacing = {});

private:
    // The editor holds bytes: UTF-8 in UTF-8 mode, else one byte per character; empty when the
    // text does not fit.
    QByteArray EditorBytes(const QString& strText) const;
    long Send(unsigned int nMsg, unsigned long wParam = 0, long lParam = 0) const;
    // Searches [nFrom, nTo) (backwards when nFrom > nTo); the match's start, or -1. The match is
    // left in the editor's target.
    long SearchRange(long nFrom, long nTo);
    // Searches on past an empty match at `nAt` that would else be found again and again.
    long SearchPastEmpty(long nAt, long nTo);
    // What replaces the match the last search found.
    QByteArray Replacement() const;

    struct SMatch
    {
        long nStart;
        long nEnd;
        QByteArray replacement;  // for regular expressions only, the groups put in
    };
    // Where `nPos` of the text before ReplaceMatches is after it.
    long Shifted(long nPos, const std::vector<SMatch>& matches, long nFixedSize) const;
    // False when `progress` stopped it. The first half of the progress is the finding's.
    bool FindAll(std::vector<SMatch>& matches, const JobProgress& progress);
    void ReplaceMatches(const std::vector<SMatch>& matches, const JobProgress& progress);

    QsciScintilla& m_editor;
    const SSearch& m_search;
};
