#include "LongLineMeasure.h"

#include "DocumentQuestions.h"
#include "EditorSetup.h"
#include "MessageBox.h"
#include "TarnelDoc.h"
#include "TarnelView.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>

#include <Qsci/qsciscintilla.h>

#include <functional>
#include <vector>

namespace {

using Sci = QsciScintillaBase;

constexpr int kRepeats = 3;

double Seconds(const std::function<void()>& step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

// A step and the repaint it causes, as a user waits for them.
double SecondsPainted(const std::function<void()>& step)
{
    return Seconds([&] {
        step();
        QApplication::processEvents();
    });
}

double MeanOf(const std::function<double()>& measure)
{
    double dSum = 0;
    for (int i = 0; i < kRepeats; ++i)
        dSum += measure();
    return dSum / kRepeats;
}

void PressKey(QWidget& widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
              const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(&widget, &release);
}

// The same keys, the same way, on either control; `undo` and `paste` go through the widget's
// own entry points, `recolour` sets every style again.
void MeasureKeys(QsciScintilla& editor, const std::function<void()>& recolour, QTextStream& out)
{
    const auto print = [&out](const char* key, double d) { out << key << ' ' << d << Qt::endl; };
    editor.setFocus();
    editor.SendScintilla(Sci::SCI_DOCUMENTEND);
    QApplication::processEvents();
    print("key_end", MeanOf([&] {
              return SecondsPainted([&] { PressKey(editor, Qt::Key_X, Qt::NoModifier, "x"); });
          }));
    print("caret_left",
          MeanOf([&] { return SecondsPainted([&] { PressKey(editor, Qt::Key_Left); }); }));
    print("home", MeanOf([&] {
              const double d = SecondsPainted([&] { PressKey(editor, Qt::Key_Home); });
              PressKey(editor, Qt::Key_End);
              QApplication::processEvents();
              return d;
          }));
    print("end", MeanOf([&] {
              PressKey(editor, Qt::Key_Home);
              QApplication::processEvents();
              return SecondsPainted([&] { PressKey(editor, Qt::Key_End); });
          }));
    print("undo", MeanOf([&] {
              PressKey(editor, Qt::Key_X, Qt::NoModifier, "x");
              QApplication::processEvents();
              return SecondsPainted([&] { editor.undo(); });
          }));
    QApplication::clipboard()->setText(QStringLiteral("<b>pasted</b>"));
    print("paste", MeanOf([&] { return SecondsPainted([&] { editor.paste(); }); }));
    print("recolour", MeanOf([&] { return SecondsPainted(recolour); }));
}

class CAnswerLongLine : public IDocumentQuestions
{
public:
    QString SaveFileName(const QString&, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    QString OpenFileName(const QString&, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    EAnswer AskYesNoCancel(const QString&) override { return EAnswer::Cancel; }
    EAnswer AskYesNo(const QString&, bool) override { return EAnswer::No; }
    CDocRecovery::EAnswer AskRecovery(const QString&, bool) override
    {
        return CDocRecovery::EAnswer::Later;
    }
    ELongLineChoice AskLongLine(const QString&, bool) override
    {
        m_dAsked = static_cast<double>(m_sinceOpen.nsecsElapsed()) / 1e9;
        return m_choice;
    }

    ELongLineChoice m_choice = ELongLineChoice::AsItIs;

    QElapsedTimer m_sinceOpen;
    double m_dAsked = -1;  // seconds from the open's start to the question
};

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Each byte followed by its style, as Tarnel colours the text.
std::vector<char> TarnelStyles(const QByteArray& text)
{
    CTarnelDoc doc;
    CTarnelView view(&doc);
    view.LoadBytes(text, true);
    view.ColorAll();
    std::vector<char> styled(2 * static_cast<std::size_t>(text.size()) + 2);
    view.SendScintilla(Sci::SCI_GETSTYLEDTEXT, 0L, static_cast<long>(text.size()), styled.data());
    std::vector<char> styles(static_cast<std::size_t>(text.size()));
    for (std::size_t i = 0; i < styles.size(); ++i)
        styles[i] = styled[2 * i + 1];
    return styles;
}

}  // namespace

int MeasureTarnelOnLongLine(const QString& path, bool bUntilQuestion, QTextStream& out)
{
    CMessageCapture capture;
    CAnswerLongLine answers;
    if (bUntilQuestion)
        answers.m_choice = ELongLineChoice::NotOpened;
    CTarnelDoc doc;
    doc.SetQuestions(&answers);
    CTarnelView view(&doc);
    view.resize(900, 700);
    view.OnInitialUpdate();
    view.show();
    QApplication::processEvents();
    bool bOpened = false;
    // What the user waits for: the open, and the first paint of the text.
    answers.m_sinceOpen.start();
    out << "open " << SecondsPainted([&] { bOpened = doc.OnOpenDocument(path); }) << Qt::endl;
    out << "question " << answers.m_dAsked << Qt::endl;
    if (bUntilQuestion)
        return 0;
    if (!bOpened) {
        out << "error " << capture.Messages().join(' ') << Qt::endl;
        return 1;
    }
    view.BackgroundColours().Finish();
    MeasureKeys(
        view, [&view] { view.ColorAll(); }, out);
    doc.SetQuestions(nullptr);
    return 0;
}

int MeasureBareOnLongLine(const QString& path, QTextStream& out)
{
    const QByteArray text = FileBytes(path);
    const std::vector<char> styles = TarnelStyles(text);
    QsciScintilla editor;
    SetUpEditorLook(editor);
    // Wrapped as Tarnel wraps the same file: up to a length, unless its line is too long to show.
    const bool bLongLine = CLongLineAdvice(text.size()).NeedsChoice();
    editor.SendScintilla(Sci::SCI_SETWRAPMODE,
                         WrapModeForTextLength(bLongLine ? kLongestWrappedText + 1 : text.size()));
    editor.resize(900, 700);
    editor.show();
    QApplication::processEvents();
    const auto restyle = [&editor, &styles] {
        editor.SendScintilla(Sci::SCI_STARTSTYLING, 0L, 0L);
        editor.SendScintilla(Sci::SCI_SETSTYLINGEX, static_cast<unsigned long>(styles.size()),
                             styles.data());
    };
    out << "open " << SecondsPainted([&] {
        editor.SendScintilla(Sci::SCI_SETCODEPAGE, Sci::SC_CP_UTF8);
        editor.SendScintilla(Sci::SCI_APPENDTEXT, static_cast<unsigned long>(text.size()),
                             text.constData());
        restyle();
        editor.SendScintilla(Sci::SCI_EMPTYUNDOBUFFER);
    }) << Qt::endl;
    MeasureKeys(editor, restyle, out);
    return 0;
}
