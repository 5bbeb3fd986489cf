// A passing note in the main window's status bar, for refusals too frequent for a message box
// (a key typed, a drag over the editor). Tests capture the notes instead.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Shows `text` in the status bar of the main window holding `pWidget`, with a beep when
// `bBeep`; without such a window, only the beep.
void ShowStatusNote(QWidget* pWidget, const QString& text, bool bBeep);

// Captures every note shown during its lifetime instead of showing it.
class CStatusNoteCapture
{
public:
    CStatusNoteCapture();
    ~CStatusNoteCapture();
    CStatusNoteCapture(const CStatusNoteCapture&) = delete;
    CStatusNoteCapture& operator=(const CStatusNoteCapture&) = delete;

    const QStringList& Notes() const { return m_notes; }
    int Beeps() const { return m_nBeeps; }
    void Clear();
    void Record(const QString& text, bool bBeep);

private:
    CStatusNoteCapture* m_pPrevious;
    QStringList m_notes;
    int m_nBeeps = 0;
};
