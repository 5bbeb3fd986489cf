// What a search's messages call the text it searches.
#pragma once

#include <QObject>
#include <QString>

class INamedDocument
{
public:
    // The file's path, or the title of a document not saved yet.
    virtual QString DocumentName() const = 0;

    // DocumentName of `pEditor` where it has one, else "the document".
    static QString NameOf(const QObject* pEditor)
    {
        const auto* pNamed = dynamic_cast<const INamedDocument*>(pEditor);
        return pNamed ? pNamed->DocumentName() : QStringLiteral("the document");
    }

protected:
    ~INamedDocument() = default;
};
