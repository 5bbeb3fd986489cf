// The one question asked before a text with a line too long to show at once is shown, however
// the text comes (opened, reloaded, recovered), and the user's choice carried out on the view.
#pragma once

#include "LongLineAdvice.h"
#include "WellFormedCheck.h"

#include <QByteArray>
#include <QString>

class CTarnelView;
class IDocumentQuestions;

class CLongLineQuestion
{
public:
    CLongLineQuestion(IDocumentQuestions& questions, CTarnelView& view)
        : m_questions(questions), m_view(view)
    {
    }

    // What the user chose for the text of `strName` whose longest line is `nLongestLine` bytes;
    // `read` reads that text, whose well-formedness decides whether Format XML is offered.
    // AsItIs without asking when the line is short enough to show.
    ELongLineChoice Ask(const QString& strName, long long nLongestLine,
                        const CheckReader& read) const;
    // Carries out Format or AsItIs on the text now in the view, its longest line `nLongestLine`
    // bytes, and shows it.
    void CarryOut(ELongLineChoice choice, long long nLongestLine) const;

    // Reads bytes that are not in the view yet.
    static CheckReader BytesReader(const QByteArray& bytes);
    CheckReader ViewReader() const;

private:
    IDocumentQuestions& m_questions;
    CTarnelView& m_view;
};
