#include "FormatXml.h"

#include "AutoIndent.h"
#include "JobGuard.h"
#include "JobProgressDlg.h"
#include "StatusNote.h"
#include "TarnelView.h"
#include "WellFormedCheck.h"
#include "XmlFormatter.h"

#include <algorithm>

namespace {

using Sci = QsciScintillaBase;

std::string LineEndOf(const CTarnelView& view)
{
    switch (view.SendScintilla(Sci::SCI_GETEOLMODE)) {
    case Sci::SC_EOL_CRLF:
        return "\r\n";
    case Sci::SC_EOL_CR:
        return "\r";
    default:
        return "\n";
    }
}

// Replaces only the part that changed: the undo step and the re-colouring stay small.
void ReplaceChanged(CTarnelView& view, const std::string& text, const std::string& formatted)
{
    std::size_t nPrefix = 0;
    const std::size_t nShorter = std::min(text.size(), formatted.size());
    while (nPrefix < nShorter && text[nPrefix] == formatted[nPrefix])
        ++nPrefix;
    std::size_t nSuffix = 0;
    while (nSuffix < nShorter - nPrefix
           && text[text.size() - 1 - nSuffix] == formatted[formatted.size() - 1 - nSuffix])
        ++nSuffix;
    if (nPrefix == text.size() && text.size() == formatted.size())
        return;
    const std::size_t nMiddle = formatted.size() - nPrefix - nSuffix;
    view.BeginUndoGroup();
    view.Replace(static_cast<long long>(nPrefix),
                 static_cast<long long>(text.size() - nPrefix - nSuffix),
                 formatted.data() + nPrefix, nMiddle);
    view.EndUndoGroup();
    view.BackgroundColours().ColourReplaced(static_cast<long long>(nPrefix),
                                            static_cast<long long>(nPrefix + nMiddle));
    view.SendScintilla(Sci::SCI_GOTOPOS, static_cast<unsigned long>(nPrefix));
}

}  // namespace

void CFormatXml::Run(CTarnelView& view, XmlFormatter::EMode eMode)
{
    if (CJobGuard::IsRunning())
        return;
    const bool bJoin = eMode == XmlFormatter::EMode::Join;
    const CJobGuard guard;
    CJobProgressDlg dialog(bJoin ? QStringLiteral("Joining the lines of markup...")
                                 : QStringLiteral("Formatting the text..."),
                           view.window());
    // The check is the first half of the work, the formatting the second.
    const long long nLength = view.Length();
    const CheckOutcome outcome = RunWellFormedCheck(
        [&view](char* buffer, long long offset, int count) {
            return view.ReadTextChunk(buffer, offset, count);
        },
        kCheckChunkSize, [&](long long nFed) { return dialog.Step(nFed, 2 * nLength); });
    if (outcome.cancelled)
        return;
    if (!outcome.wellFormed) {
        dialog.Finish();
        view.ShowMessage(
            outcome.parserCreated && !outcome.outOfMemory
                ? (bJoin ? QStringLiteral("The text is not well-formed and was not joined: %1")
                         : QStringLiteral("The text is not well-formed and was not formatted: %1"))
                      .arg(FormatCheckError(outcome))
                : QStringLiteral("The text could not be checked and was left as it is."));
        return;
    }
    const std::string text = view.Text(0, nLength);
    const std::string unit = AutoIndent::UnitOf(std::string_view(text).substr(0, 64 * 1024));
    const std::string lineEnd = LineEndOf(view);
    XmlFormatter::SJob job{eMode,
                           unit,
                           lineEnd,
                           0,
                           0,
                           [&](long long nDone, long long) {
                               return dialog.Step(nLength + nDone, 2 * nLength); }};
    job.nStart = static_cast<std::size_t>(view.SendScintilla(Sci::SCI_GETSELECTIONSTART));
    job.nEnd = static_cast<std::size_t>(view.SendScintilla(Sci::SCI_GETSELECTIONEND));
    std::string formatted;
    const XmlFormatter::EOutcome eOutcome = XmlFormatter::Run(text, job, formatted);
    dialog.Finish();
    if (eOutcome == XmlFormatter::EOutcome::NothingCovered)
        ShowStatusNote(&view, QStringLiteral("The selection holds no element to format."), true);
    else if (eOutcome == XmlFormatter::EOutcome::Done)
        ReplaceChanged(view, text, formatted);
}
