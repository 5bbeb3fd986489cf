// The grammar or stylesheet the user chose for a document, remembered by the document's path
// between runs (a document without a file keeps its choice until it gets one).
#pragma once

#include <QMap>
#include <QString>

class CGrammarChoices
{
public:
    // `strSection` is the settings group, e.g. "Schemas".
    explicit CGrammarChoices(const QString& strSection);

    QString ChoiceFor(const QString& strDocumentPath) const;
    // An empty `strChoice` forgets the choice.
    void Remember(const QString& strDocumentPath, const QString& strChoice);

private:
    QString m_strSection;
    QString m_strUntitledChoice;
};
