// Answers the document's dialogs in tests and remembers what they were asked.
#pragma once

#include "TarnelDoc.h"

#include <QStringList>

class CDialogAnswers
{
public:
    CDialogAnswers()
        : m_saveHook(CTarnelDoc::s_fnGetSaveFileName), m_openHook(CTarnelDoc::s_fnGetOpenFileName),
          m_askHook(CTarnelDoc::s_fnAskYesNoCancel), m_askYesNoHook(CTarnelDoc::s_fnAskYesNo),
          m_recoveryHook(CTarnelDoc::s_fnAskRecovery)
    {
        CTarnelDoc::s_fnGetSaveFileName = [this](const QString&, const QString&,
                                                 const QString& filter, const QString&) {
            ++m_nSaveDialogs;
            m_strFilter = filter;
            return m_strSavePath;
        };
        CTarnelDoc::s_fnGetOpenFileName = [this](const QString&, const QString&,
                                                 const QString& filter, const QString& ext) {
            ++m_nOpenDialogs;
            m_strFilter = filter;
            m_strDefaultExt = ext;
            return m_strOpenPath;
        };
        CTarnelDoc::s_fnAskYesNoCancel = [this](const QString& text) {
            m_questions << text;
            return m_answer;
        };
        CTarnelDoc::s_fnAskYesNo = [this](const QString& text) {
            m_questions << text;
            return m_yesNoAnswer;
        };
        CTarnelDoc::s_fnAskRecovery = [this](const QString& text, bool bCanRecover) {
            m_questions << text;
            m_recoverable << bCanRecover;
            return m_recoveryAnswer;
        };
    }
    ~CDialogAnswers()
    {
        CTarnelDoc::s_fnGetSaveFileName = m_saveHook;
        CTarnelDoc::s_fnGetOpenFileName = m_openHook;
        CTarnelDoc::s_fnAskYesNoCancel = m_askHook;
        CTarnelDoc::s_fnAskYesNo = m_askYesNoHook;
        CTarnelDoc::s_fnAskRecovery = m_recoveryHook;
    }

    QString m_strSavePath;
    QString m_strOpenPath;
    CTarnelDoc::Answer m_answer = CTarnelDoc::Answer::Cancel;
    CTarnelDoc::Answer m_yesNoAnswer = CTarnelDoc::Answer::No;
    CDocRecovery::EAnswer m_recoveryAnswer = CDocRecovery::EAnswer::Later;
    QList<bool> m_recoverable;  // what each recovery question offered
    int m_nSaveDialogs = 0;
    int m_nOpenDialogs = 0;
    QString m_strFilter;
    QString m_strDefaultExt;
    QStringList m_questions;

private:
    CTarnelDoc::FileNameHook m_saveHook;
    CTarnelDoc::FileNameHook m_openHook;
    CTarnelDoc::QuestionHook m_askHook;
    CTarnelDoc::QuestionHook m_askYesNoHook;
    CDocRecovery::AskHook m_recoveryHook;
};
