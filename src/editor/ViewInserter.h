// The program's own insertions into the editor: a template element around the selection and an
// empty comment before it, each acting on one stream selection and writing only what the
// document's encoding can store.
#pragma once

#include "InsertionStops.h"

#include <QByteArray>
#include <QtCore/qnamespace.h>

class CColourPolicy;
class IEditorPane;
class QsciScintilla;

class CViewInserter
{
public:
    // Colours what it inserts with `colorizer`.
    CViewInserter(IEditorPane& pane, CColourPolicy& colorizer);

    // Replaces the selection with the element selected in the template tree around it, coloured;
    // the caret ends before it.
    void InsertElement(bool block);
    // Inserts "<!-- -->" before the selection; the caret ends after it.
    void InsertComment();
    // Right after an element insertion, Tab (no modifiers) moves the caret to the element's
    // next empty attribute value, then to its content: true when the key was used so. Any other
    // key, or a caret moved elsewhere, ends this.
    bool TakeKey(int nKey, Qt::KeyboardModifiers modifiers);

private:
    long long Send(unsigned int nMsg, long long wParam = 0, long long lParam = 0) const;
    // A rectangular or multiple selection becomes its main selection, as a stream.
    void ToMainStreamSelection();
    QByteArray SelectedBytes() const;
    // The template's UTF-8 pieces in the document's encoding; false when it cannot store them.
    bool ComposeForDocument(bool block, QByteArray& snippet) const;

    IEditorPane& m_pane;
    QsciScintilla& m_editor;
    CColourPolicy& m_colorizer;
    CInsertionStops m_stops;
};
