#include "EditorAccessibility.h"

#include <Qsci/qsciscintillabase.h>
#include <QAccessibleWidget>
#include <QSet>

namespace {

using Sci = QsciScintillaBase;

// Bits set on the notifications of inserted and deleted text.
constexpr int kTextChangeBits =
    Sci::SC_MOD_INSERTTEXT | Sci::SC_MOD_DELETETEXT | Sci::SC_PERFORMED_USER
    | Sci::SC_PERFORMED_UNDO | Sci::SC_PERFORMED_REDO | Sci::SC_MULTISTEPUNDOREDO
    | Sci::SC_LASTSTEPINUNDOREDO | Sci::SC_MULTILINEUNDOREDO | Sci::SC_STARTACTION;

QSet<QObject*>& Editors()
{
    static QSet<QObject*> editors;
    return editors;
}

bool& ActiveFlag()
{
    static bool bActive = QAccessible::isActive();
    return bActive;
}

// Drops the cached interface, so the next query builds the kind that suits the state.
void ForgetInterface(QObject* pObject)
{
    if (QAccessibleInterface* pInterface = QAccessible::queryAccessibleInterface(pObject))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(pInterface));
}

}  // namespace

void CEditorAccessibility::Attach(QsciScintillaBase* pEditor)
{
    static CEditorAccessibility s_observer;
    static const bool s_bInstalled = [] {
        QAccessible::installActivationObserver(&s_observer);
        // Installed after QScintilla's, so it is asked first.
        QAccessible::installFactory(&CEditorAccessibility::Factory);
        return true;
    }();
    Q_UNUSED(s_bInstalled);
    Editors().insert(pEditor);
    Adapt(pEditor);
}

void CEditorAccessibility::Detach(QsciScintillaBase* pEditor)
{
    Editors().remove(pEditor);
}

int CEditorAccessibility::ModEventMask()
{
    return IsActive() ? Sci::SC_MODEVENTMASKALL : Sci::SC_MODEVENTMASKALL & ~kTextChangeBits;
}

bool CEditorAccessibility::IsActive()
{
    return ActiveFlag();
}

void CEditorAccessibility::accessibilityActiveChanged(bool bActive)
{
    ActiveFlag() = bActive;
    for (QObject* pObject : Editors()) {
        auto* pEditor = static_cast<QsciScintillaBase*>(pObject);
        Adapt(pEditor);
        ForgetInterface(pEditor);
    }
}

void CEditorAccessibility::Adapt(QsciScintillaBase* pEditor)
{
    pEditor->SendScintilla(Sci::SCI_SETMODEVENTMASK, static_cast<unsigned long>(ModEventMask()));
}

QAccessibleInterface* CEditorAccessibility::Factory(const QString& className, QObject* pObject)
{
    // Only for the most derived class: further up, QScintilla's own factory answers.
    if (IsActive() || !Editors().contains(pObject)
        || className != QLatin1String(pObject->metaObject()->className()))
        return nullptr;
    // A plain widget: QScintilla's text interface is what costs, and nothing asks for it now.
    return new QAccessibleWidget(static_cast<QWidget*>(pObject), QAccessible::EditableText);
}
