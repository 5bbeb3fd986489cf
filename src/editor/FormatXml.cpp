#include "FormatXml.h"

#include "AutoIndent.h"
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

}  // namespace

void CFormatXml::Run(CTarnelView& view)
{
    const CheckOutcome outcome =
        RunWellFormedCheck([&view](char* buffer, long long offset, int count) {
            return view.ReadTextChunk(buffer, offset, count);
        });
    if (!outcome.wellFormed) {
        view.ShowMessage(
            outcome.parserCreated && !outcome.outOfMemory
                ? QStringLiteral("The text is not well-formed and was not formatted: %1")
                      .arg(FormatCheckError(outcome))
                : QStringLiteral("The text could not be checked and was not formatted."));
        return;
    }
    const std::string text = view.Text(0, view.Length());
    const std::string unit = AutoIndent::UnitOf(std::string_view(text).substr(0, 64 * 1024));
    const std::string formatted = XmlFormatter::Format(text, unit, LineEndOf(view));
    // Only the part that changed is replaced: the undo step and the re-colouring stay small.
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
    view.SendScintilla(Sci::SCI_GOTOPOS, static_cast<unsigned long>(nPrefix));
}
