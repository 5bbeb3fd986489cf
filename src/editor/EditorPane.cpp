#include "EditorPane.h"

#include <QWidget>

QString IEditorPane::DocumentNameOf(QWidget* pEditor)
{
    const auto* pPane = dynamic_cast<const IEditorPane*>(pEditor);
    return pPane ? pPane->DocumentName() : QStringLiteral("the document");
}
