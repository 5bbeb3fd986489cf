#include "ViewSaving.h"

#include "DocumentCodec.h"
#include "EditorPane.h"
#include "FileCodec.h"
#include "JobGuard.h"
#include "JobProgressDlg.h"
#include "SafeSaver.h"

#include <Qsci/qsciscintilla.h>

namespace {

// Notes whether the text is edited while it watches.
class CEditWatch : private ITextEditObserver
{
public:
    explicit CEditWatch(ITextBuffer& text) : m_text(text) { m_text.AddObserver(this); }
    ~CEditWatch() { m_text.RemoveObserver(this); }
    CEditWatch(const CEditWatch&) = delete;
    CEditWatch& operator=(const CEditWatch&) = delete;
    bool Edited() const { return m_bEdited; }

private:
    void OnTextEdit(const STextEdit&) override { m_bEdited = true; }

    ITextBuffer& m_text;
    bool m_bEdited = false;
};

}  // namespace

bool SaveViewText(IEditorPane& pane, CSafeSaver& saver, const QString& path, QString& error)
{
    // The bytes are written from pointers into the control's buffer, which any change of the
    // text would move. The dialog keeps the user's input away and the guard the timers' changes;
    // should anything change the text all the same, the save stops before the file is replaced.
    const CEditWatch watch(pane);
    const CJobGuard guard;
    // A decoded text goes back into its file's encoding: a copy, which no change can move.
    std::string encoded;
    std::vector<SByteSpan> pieces;
    if (const CFileCodec* pCodec = DocumentCodec(pane.Control())) {
        std::string strReason;
        if (!pCodec->Encode(pane.Text(0, pane.Length()), encoded, strReason)) {
            error = QStringLiteral("Could not save %1: %2. The file was left as it was.")
                        .arg(path, QString::fromStdString(strReason));
            return false;
        }
        pieces.push_back({encoded.data(), encoded.size()});
    } else {
        pieces = pane.TextPieces();
    }
    CJobProgressDlg dialog(QStringLiteral("Saving %1...").arg(path), pane.Control().window());
    const bool bSaved =
        saver.Save(pieces, error, [&dialog, &watch](long long nDone, long long nTotal) {
            return dialog.Step(nDone, nTotal) && !watch.Edited();
        });
    dialog.Finish();
    if (!bSaved && watch.Edited())
        error = QStringLiteral("Could not save %1: the text changed while it was being written. "
                               "The file was left as it was.")
                    .arg(path);
    return bSaved;
}
