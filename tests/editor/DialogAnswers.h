// Answers a document's questions in tests and remembers what they were.
#pragma once

#include "DocumentQuestions.h"
#include "TarnelDoc.h"

#include <QPointer>
#include <QStringList>

class CDialogAnswers : public IDocumentQuestions
{
public:
    CDialogAnswers() = default;
    explicit CDialogAnswers(CTarnelDoc& doc) { AnswerFor(doc); }
    ~CDialogAnswers() override
    {
        for (const QPointer<CTarnelDoc>& pDoc : m_docs) {
            if (pDoc)
                pDoc->SetQuestions(nullptr);
        }
    }

    void AnswerFor(CTarnelDoc& doc)
    {
        doc.SetQuestions(this);
        m_docs << &doc;
    }

    QString SaveFileName(const QString&, const QString& suggested, const QString& filter,
                         const QString&) override
    {
        ++m_nSaveDialogs;
        m_strSuggested = suggested;
        m_strFilter = filter;
        return m_strSavePath;
    }
    QString OpenFileName(const QString&, const QString& suggested, const QString& filter,
                         const QString& ext) override
    {
        ++m_nOpenDialogs;
        m_strSuggested = suggested;
        m_strFilter = filter;
        m_strDefaultExt = ext;
        return m_strOpenPath;
    }
    EAnswer AskYesNoCancel(const QString& text) override
    {
        m_questions << text;
        return m_answer;
    }
    EAnswer AskYesNo(const QString& text, bool bYesDiscards) override
    {
        m_questions << text;
        m_discarding << bYesDiscards;
        return m_yesNoAnswer;
    }
    CDocRecovery::EAnswer AskRecovery(const QString& text, bool bCanRecover) override
    {
        m_questions << text;
        m_recoverable << bCanRecover;
        return m_recoveryAnswer;
    }

    ELongLineChoice AskLongLine(const QString& text, bool bCanFormat) override
    {
        m_questions << text;
        m_formatOffered << bCanFormat;
        return m_longLineChoice;
    }

    QString m_strSavePath;
    QString m_strOpenPath;
    EAnswer m_answer = EAnswer::Cancel;
    EAnswer m_yesNoAnswer = EAnswer::No;
    CDocRecovery::EAnswer m_recoveryAnswer = CDocRecovery::EAnswer::Later;
    ELongLineChoice m_longLineChoice = ELongLineChoice::AsItIs;
    QList<bool> m_formatOffered;  // whether each long-line question offered Format XML
    QList<bool> m_recoverable;    // what each recovery question offered
    QList<bool> m_discarding;     // whether Yes to each yes/no question threw work away
    int m_nSaveDialogs = 0;
    int m_nOpenDialogs = 0;
    QString m_strFilter;
    QString m_strSuggested;
    QString m_strDefaultExt;
    QStringList m_questions;

private:
    QList<QPointer<CTarnelDoc>> m_docs;
};
