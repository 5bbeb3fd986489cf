// What typing adds in the editor: the indentation of a new line, the end tag "</" completes
// and, when asked for, the end tag a start tag's ">" opens. Each addition is an undo step of its
// own, so one Undo takes it back and leaves what was typed. Typing on after a completion as if
// there were none gives what was typed: the same name and ">" are taken as typed over the
// completion, another name replaces it.
#pragma once

#include <QObject>

#include <string>

class QsciScintilla;
class CFoldPolicy;

class CTypingAids : public QObject
{
    Q_OBJECT
public:
    // The text's start that the indentation unit is judged by.
    static constexpr long long kSampleBytes = 64 * 1024;

    CTypingAids(QsciScintilla& editor, CFoldPolicy& folds);

    void SetAutoIndent(bool bOn) { m_bAutoIndent = bOn; }
    bool AutoIndentOn() const { return m_bAutoIndent; }
    void SetCloseStartTags(bool bOn) { m_bCloseStartTags = bOn; }
    bool CloseStartTagsOn() const { return m_bCloseStartTags; }

private:
    void OnCharAdded(int ch);
    void IndentNewLine(long long nCaret);
    void CompleteEndTag(long long nCaret);
    // True when `ch`, just typed at `nCaret` - 1, was taken over the completion.
    bool TypedOverCompletion(int ch, long long nCaret);
    void CloseStartTag(long long nCaret);
    // Inserts `bytes` at the caret as an undo step of its own; the caret ends after them when
    // `bCaretAfter`.
    void Insert(const std::string& bytes, bool bCaretAfter);
    std::string Bytes(long long start, long long end) const;
    long long Send(unsigned int nMsg, long long wParam = 0) const;

    QsciScintilla& m_editor;
    CFoldPolicy& m_folds;
    bool m_bAutoIndent = true;
    bool m_bCloseStartTags = false;
    long long m_nCompletion = -1;  // where the last completion starts; -1 when none is followed
    std::string m_completion;
    std::size_t m_nTypedOver = 0;  // of its bytes
};
