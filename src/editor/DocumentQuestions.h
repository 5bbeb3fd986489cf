// What the document asks the user: file names, and questions whose answer decides what happens
// to the text. The window answers with dialogs; tests answer for the user.
#pragma once

#include "DocRecovery.h"
#include "LongLineAdvice.h"

#include <QString>

class IDocumentQuestions
{
public:
    enum class EAnswer
    {
        Yes,
        No,
        Cancel
    };

    virtual ~IDocumentQuestions() = default;

    // caption, suggested file or folder, filter ("Name (*.x);;..."), default extension; the
    // chosen path, empty when cancelled.
    virtual QString SaveFileName(const QString& caption, const QString& suggested,
                                 const QString& filter, const QString& defaultExt) = 0;
    virtual QString OpenFileName(const QString& caption, const QString& suggested,
                                 const QString& filter, const QString& defaultExt) = 0;
    virtual EAnswer AskYesNoCancel(const QString& text) = 0;
    // `bYesDiscards`: Yes throws away work (the user's edits, another program's change); No is
    // then the default and no typed letter answers.
    virtual EAnswer AskYesNo(const QString& text, bool bYesDiscards) = 0;
    // Whether to recover a session's unsaved edits; without `bCanRecover` only Discard and
    // Later are offered.
    virtual CDocRecovery::EAnswer AskRecovery(const QString& text, bool bCanRecover) = 0;
    // What to do with a file whose line is too long to show at once; Format is offered only
    // with `bCanFormat`.
    virtual ELongLineChoice AskLongLine(const QString& text, bool bCanFormat) = 0;
};
