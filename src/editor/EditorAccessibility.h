// Keeps QScintilla's accessibility bookkeeping off the editors until an assistive technology is
// active: it counts characters from the start of the text on every caret move and edit.
#pragma once

#include <QAccessible>

class QsciScintillaBase;

class CEditorAccessibility : public QAccessible::ActivationObserver
{
public:
    // Gives `pEditor` the event mask and accessible interface that suit the present state.
    static void Attach(QsciScintillaBase* pEditor);
    static void Detach(QsciScintillaBase* pEditor);

    // The modification events an editor reports. With no assistive technology active, none that
    // carry inserted or deleted text (QScintilla converts those for one whether or not one
    // listens); the notifications before each change still announce every edit.
    static int ModEventMask();

    static bool IsActive();

private:
    void accessibilityActiveChanged(bool bActive) override;
    static void Adapt(QsciScintillaBase* pEditor);
    static QAccessibleInterface* Factory(const QString& className, QObject* pObject);
};
