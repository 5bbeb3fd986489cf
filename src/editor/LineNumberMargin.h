// The margin with the text's line numbers (counted from 1, lines as the file counts them),
// wide enough for the last line's number in the editor's font at its zoom.
#pragma once

#include <QObject>

class QsciScintillaBase;

class CLineNumberMargin : public QObject
{
    Q_OBJECT
public:
    explicit CLineNumberMargin(QsciScintillaBase& editor);

    void Show(bool bShown);
    bool IsShown() const { return m_bShown; }
    // The width the margin needs now, in pixels.
    int NeededWidth() const;

private:
    void Fit();

    QsciScintillaBase& m_editor;
    bool m_bShown = false;
    int m_nDigits = 0;  // of the widest number the margin was last sized for
    int m_nZoom = 0;
};
