#include "LexerMeasure.h"

#include "DocumentFile.h"

#include <Qsci/qscilexerxml.h>
#include <Qsci/qsciscintilla.h>
#include <QElapsedTimer>

int MeasureLexer(const QString& path, QTextStream& out)
{
    QByteArray bytes;
    QString strError;
    if (!ReadDocumentFile(path, bytes, strError)) {
        out << "error " << strError << Qt::endl;
        return 1;
    }
    QsciScintilla editor;
    editor.resize(900, 700);
    // The lexer goes on before the text, so setLexer itself has nothing to colour.
    editor.setLexer(new QsciLexerXML(&editor));
    using Sci = QsciScintillaBase;
    editor.SendScintilla(Sci::SCI_SETCODEPAGE, IsValidUtf8(bytes) ? Sci::SC_CP_UTF8 : 0);
    editor.SendScintilla(Sci::SCI_SETUNDOCOLLECTION, 0UL);
    editor.SendScintilla(Sci::SCI_SETMODEVENTMASK, 0UL);
    editor.SendScintilla(Sci::SCI_APPENDTEXT, static_cast<uintptr_t>(bytes.size()),
                         bytes.constData());
    bytes = QByteArray();

    QElapsedTimer timer;
    timer.start();
    editor.SendScintilla(Sci::SCI_COLOURISE, 0UL, -1L);
    const double dSeconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    const long nStyled = editor.SendScintilla(Sci::SCI_GETENDSTYLED);
    if (nStyled < editor.SendScintilla(Sci::SCI_GETLENGTH)) {
        out << "error the XML lexer stopped at " << nStyled << Qt::endl;
        return 1;
    }
    out << "lexer_color " << dSeconds << Qt::endl;
    return 0;
}
