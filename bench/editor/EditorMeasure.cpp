#include "EditorMeasure.h"

#include "CommandIds.h"
#include "DocumentPrinter.h"
#include "MessageBox.h"
#include "PrintPreviewDlg.h"
#include "ProcessMemory.h"
#include "TarnelDoc.h"
#include "TarnelView.h"
#include "WellFormedCheck.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTimer>

#include <Qsci/qsciprinter.h>

#include <algorithm>
#include <functional>

namespace {

using Sci = QsciScintillaBase;

constexpr int kRepeats = 5;
constexpr int kCaretMoves = 10;
constexpr int kBurstKeys = 100;

double Seconds(const std::function<void()>& step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

double BestOf(int nRepeats, const std::function<void()>& step)
{
    double dBest = Seconds(step);
    for (int i = 1; i < nRepeats; ++i)
        dBest = std::min(dBest, Seconds(step));
    return dBest;
}

// Each step includes the events it causes (repainting, accessibility), as a user waits for them.
void ProcessEvents()
{
    QApplication::processEvents();
}

struct SSpread
{
    double dMean = 0;
    double dMax = 0;
};

SSpread Spread(int nCount, const std::function<double(int)>& measure)
{
    SSpread spread;
    for (int i = 0; i < nCount; ++i) {
        const double d = measure(i);
        spread.dMean += d / nCount;
        spread.dMax = std::max(spread.dMax, d);
    }
    return spread;
}

// A digest of every style, read in pieces so the comparison adds no copy of the styles.
QByteArray StylesDigest(CTarnelView& view)
{
    constexpr long long kPiece = 1 << 20;
    QCryptographicHash hash(QCryptographicHash::Sha1);
    QByteArray styled(2 * kPiece + 2, Qt::Uninitialized);
    const long long nLength = view.TextLength();
    for (long long nFrom = 0; nFrom < nLength; nFrom += kPiece) {
        const long long nTo = std::min(nFrom + kPiece, nLength);
        view.SendScintilla(QsciScintillaBase::SCI_GETSTYLEDTEXT, static_cast<long>(nFrom),
                           static_cast<long>(nTo), styled.data());
        hash.addData(QByteArrayView(styled.constData(), 2 * (nTo - nFrom)));
    }
    return hash.result();
}

void TypeKey(QWidget& widget, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&widget, &release);
}

class CEditorRun
{
public:
    CEditorRun(const QString& path, const QString& savePath, QTextStream& out)
        : m_strPath(path), m_strSavePath(savePath), m_out(out)
    {
        m_view.resize(900, 700);
        m_view.OnInitialUpdate();
        m_view.SetFolding(true);  // on by default in the window
        m_view.show();
        ProcessEvents();
    }

    bool Run();

private:
    bool Fail(const QString& text)
    {
        m_out << "error " << text << Qt::endl;
        return false;
    }
    void Print(const char* key, double dValue) { m_out << key << ' ' << dValue << Qt::endl; }
    bool MeasureOpen();
    bool MeasureCheck();
    bool MeasureSave();
    void MeasureCaretAndKeys();
    void MeasureFolding();
    void MeasurePreview();
    void MeasureTypingColours();
    bool MeasureRecovery();
    bool MeasureFirstKeys();

    QString m_strPath;
    QString m_strSavePath;
    QTextStream& m_out;
    CMessageCapture m_capture;  // failures are printed, not shown
    CTarnelDoc m_doc;
    CTarnelView m_view{&m_doc};
};

bool CEditorRun::Run()
{
    if (!MeasureOpen() || !MeasureCheck() || !MeasureSave())
        return false;
    Print("color_all", BestOf(kRepeats, [this] { m_view.ColorAll(); }));
    MeasureCaretAndKeys();
    MeasureFolding();
    MeasurePreview();
    MeasureTypingColours();
    if (!MeasureRecovery())
        return false;
    m_out << "peak_all " << PeakMemoryBytes() << Qt::endl;
    return MeasureFirstKeys();
}

bool CEditorRun::MeasureOpen()
{
    m_out << "rss_before " << ResidentMemoryBytes() << Qt::endl;
    ResetPeakMemory();
    bool bOpened = false;
    Print("open", Seconds([this, &bOpened] { bOpened = m_doc.OnOpenDocument(m_strPath); }));
    m_out << "peak_open " << PeakMemoryBytes() << Qt::endl;
    if (!bOpened)
        return Fail(m_capture.Messages().join(' '));
    if (m_view.IsTextModified())
        return Fail(QStringLiteral("the opened document counts as modified"));
    Print("first_paint", Seconds(ProcessEvents));
    Print("colour_rest", Seconds([this] { m_view.BackgroundColours().Finish(); }));
    Print("fold_rest", Seconds([this] {
              while (m_view.Folds().IsPending())
                  ProcessEvents();
          }));
    const QByteArray background = StylesDigest(m_view);
    m_view.ColorAll();
    if (StylesDigest(m_view) != background)
        return Fail(QStringLiteral("the styles coloured after the open differ from ColorAll's"));
    return true;
}

bool CEditorRun::MeasureCheck()
{
    CheckOutcome outcome;
    Print("check", BestOf(kRepeats, [this, &outcome] {
              outcome = RunWellFormedCheck([this](char* buffer, long long offset, int count) {
                  return m_view.ReadTextChunk(buffer, offset, count);
              });
          }));
    if (!outcome.wellFormed)
        return Fail(QString::fromStdString(outcome.errorText) + " at line "
                    + QString::number(outcome.line));
    return true;
}

bool CEditorRun::MeasureSave()
{
    bool bSaved = false;
    Print("save", Seconds([this, &bSaved] { bSaved = m_doc.OnSaveDocument(m_strSavePath); }));
    if (!bSaved)
        return Fail(m_capture.Messages().join(' '));
    if (QFileInfo(m_strSavePath).size() != QFileInfo(m_strPath).size())
        return Fail(QStringLiteral("the saved file differs in size"));
    return true;
}

void CEditorRun::MeasureCaretAndKeys()
{
    m_view.setFocus();
    ProcessEvents();
    const long long nLength = m_view.TextLength();
    const auto goNearTheEnd = [this, nLength] {
        m_view.SendScintilla(Sci::SCI_GOTOPOS,
                             static_cast<unsigned long>(std::max(0LL, nLength - 3000)));
        ProcessEvents();
    };
    // Moves by key as a user does, so each move scrolls a screenful near the end and repaints.
    goNearTheEnd();
    const SSpread caret = Spread(kCaretMoves, [&](int i) {
        return Seconds([&] {
            TypeKey(m_view, i % 2 ? Qt::Key_PageUp : Qt::Key_PageDown, QString());
            ProcessEvents();
        });
    });
    Print("caret_mean", caret.dMean);
    Print("caret_max", caret.dMax);

    goNearTheEnd();
    const SSpread keys = Spread(kCaretMoves, [&](int) {
        return Seconds([&] {
            TypeKey(m_view, Qt::Key_X, QStringLiteral("x"));
            ProcessEvents();
        });
    });
    Print("key_mean", keys.dMean);
    Print("key_max", keys.dMax);
    if (m_view.TextLength() != nLength + kCaretMoves)
        Fail(QStringLiteral("the typed keys did not reach the text"));
}

// Folding and unfolding the element at a caret near the end, then every element.
void CEditorRun::MeasureFolding()
{
    m_view.SendScintilla(Sci::SCI_GOTOPOS,
                         static_cast<unsigned long>(std::max(0LL, m_view.TextLength() - 3000)));
    ProcessEvents();
    const auto run = [this](int nFold, int nUnfold) {
        return BestOf(kRepeats, [&] {
            m_view.OnCmdMsg(nFold, nullptr);
            ProcessEvents();
            m_view.OnCmdMsg(nUnfold, nullptr);
            ProcessEvents();
        });
    };
    Print("fold_toggle", run(ID_VIEW_FOLD, ID_VIEW_UNFOLD));
    Print("fold_all", run(ID_VIEW_FOLD_ALL, ID_VIEW_UNFOLD_ALL));
}

// Keystrokes near the end with colour as you type on: the key, the re-colouring of what it
// touched and the repaint, as a user waits for them.
void CEditorRun::MeasureTypingColours()
{
    m_view.SetColourAsYouType(true);
    m_view.setFocus();
    m_view.SendScintilla(Sci::SCI_GOTOPOS,
                         static_cast<unsigned long>(std::max(0LL, m_view.TextLength() - 3000)));
    ProcessEvents();
    const char* const keys[] = {"<", "b", ">", "\"", " "};
    const SSpread typed = Spread(kCaretMoves, [&](int i) {
        return Seconds([&] {
            TypeKey(m_view, Qt::Key_X, QString::fromLatin1(keys[i % 5]));
            m_view.FlushTypingColours();
            ProcessEvents();
        });
    });
    Print("typing_color_mean", typed.dMean);
    Print("typing_color_max", typed.dMax);
    m_view.SetColourAsYouType(false);
}

// The first page on screen, the memory the preview adds while it counts, and how soon Stop ends
// the counting.
void CEditorRun::MeasurePreview()
{
    QsciPrinter printer;
    CDocumentPrinter::SetDefaultMargins(printer);
    const long long nBefore = ResidentMemoryBytes();
    ResetPeakMemory();
    std::unique_ptr<CPrintPreviewDlg> pPreview;
    Print("preview_first", Seconds([&] {
              pPreview = std::make_unique<CPrintPreviewDlg>(&m_view, printer, 1);
              pPreview->show();
              ProcessEvents();
          }));
    // Counts for a while as the user looks at the first page, then stops.
    QElapsedTimer counting;
    counting.start();
    while (counting.elapsed() < 2000 && !pPreview->Index().IsComplete())
        ProcessEvents();
    Print("preview_stop", Seconds([&] {
              pPreview->StopCounting();
              ProcessEvents();
          }));
    m_out << "preview_pages " << pPreview->Index().KnownPages() << Qt::endl;
    m_out << "preview_added " << std::max(0LL, PeakMemoryBytes() - nBefore) << Qt::endl;
}

// Bursts of typing without repainting, in turns with the recovery journal stopped and recording
// (and handing its edits to the writer as the quiet timer does): the difference is what keeping
// recovery up to date costs the editor's thread. Saving between turns starts the journal anew.
bool CEditorRun::MeasureRecovery()
{
    CRecoveryJournal& journal = m_doc.Recovery().Journal();
    const auto typeBurst = [this] {
        m_view.SendScintilla(Sci::SCI_GOTOPOS, static_cast<unsigned long>(m_view.TextLength() / 2));
        return Seconds([this] {
            for (int i = 0; i < kBurstKeys; ++i)
                TypeKey(m_view, Qt::Key_X, QStringLiteral("x"));
        });
    };
    double dPlain = 1e9;
    double dRecorded = 1e9;
    double dFlush = 1e9;
    for (int r = 0; r < kRepeats; ++r) {
        journal.Discard();
        dPlain = std::min(dPlain, typeBurst());
        if (!m_doc.OnSaveDocument(m_strSavePath) || !journal.IsRecording())
            return Fail(QStringLiteral("saving did not start recording the edits"));
        const double dKeys = typeBurst();
        const double dHandOver = Seconds([&journal] { journal.Flush(); });
        journal.WaitForWrites();
        dRecorded = std::min(dRecorded, dKeys + dHandOver);
        dFlush = std::min(dFlush, dHandOver);
        if (!QFileInfo::exists(journal.FilePath()))
            return Fail(QStringLiteral("the burst did not reach a recovery file"));
    }
    Print("recovery_burst", std::max(0.0, dRecorded - dPlain));
    Print("recovery_flush", dFlush);
    Print("burst_recorded", dRecorded);
    Print("burst_plain", dPlain);
    return true;
}

// Each of the keys a user presses first, right after the file is opened and painted, before the
// editor has had idle time to wrap the rest: Page Down, Ctrl+End and Go to line near the end.
bool CEditorRun::MeasureFirstKeys()
{
    const std::function<void()> firstKeys[] = {
        [this] { TypeKey(m_view, Qt::Key_PageDown, QString()); },
        [this] {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
            QApplication::sendEvent(&m_view, &press);
        },
        [this] {
            m_doc.GoToLine(static_cast<int>(m_view.SendScintilla(Sci::SCI_GETLINECOUNT)) - 10);
        },
    };
    double dWorst = 0;
    for (const auto& key : firstKeys) {
        if (!m_doc.OnOpenDocument(m_strPath))
            return Fail(m_capture.Messages().join(' '));
        m_view.setFocus();
        ProcessEvents();
        dWorst = std::max(dWorst, Seconds([&] {
                              key();
                              ProcessEvents();
                          }));
    }
    Print("first_key", dWorst);
    return true;
}

}  // namespace

int MeasureEditor(const QString& path, const QString& savePath, QTextStream& out)
{
    CEditorRun run(path, savePath, out);
    return run.Run() ? 0 : 1;
}
