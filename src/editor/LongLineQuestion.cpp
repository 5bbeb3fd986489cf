#include "LongLineQuestion.h"

#include "DocumentQuestions.h"
#include "FormatXml.h"
#include "TarnelView.h"

#include <algorithm>

ELongLineChoice CLongLineQuestion::Ask(const QString& strName, long long nLongestLine,
                                       const CheckReader& read) const
{
    const CLongLineAdvice advice(nLongestLine);
    if (!advice.NeedsChoice())
        return ELongLineChoice::AsItIs;
    const CheckOutcome outcome = RunWellFormedCheck(read);
    const QString notWellFormed = outcome.wellFormed ? QString()
                                  : outcome.parserCreated && !outcome.outOfMemory
                                      ? FormatCheckError(outcome)
                                      : QStringLiteral("it could not be checked.");
    return m_questions.AskLongLine(advice.Question(strName, notWellFormed), outcome.wellFormed);
}

void CLongLineQuestion::CarryOut(ELongLineChoice choice, long long nLongestLine) const
{
    if (choice == ELongLineChoice::Format) {
        using Sci = QsciScintillaBase;
        const long long nLinesBefore = m_view.SendScintilla(Sci::SCI_GETLINECOUNT);
        CFormatXml::Run(m_view);
        // More lines: the formatting was done (not refused or stopped), and is the last step.
        if (m_view.SendScintilla(Sci::SCI_GETLINECOUNT) > nLinesBefore)
            m_view.GuardUndoOfFormat(nLongestLine);
    }
    m_view.ShowHeldText();
}

CheckReader CLongLineQuestion::BytesReader(const QByteArray& bytes)
{
    return [&bytes](char* buffer, long long offset, int count) {
        const auto nStart = std::min(static_cast<qsizetype>(offset), bytes.size());
        const auto nCount = std::min(static_cast<qsizetype>(count), bytes.size() - nStart);
        std::copy_n(bytes.constData() + nStart, nCount, buffer);
        return static_cast<int>(nCount);
    };
}

CheckReader CLongLineQuestion::ViewReader() const
{
    CTarnelView& view = m_view;
    return [&view](char* buffer, long long offset, int count) {
        return view.ReadTextChunk(buffer, offset, count);
    };
}
