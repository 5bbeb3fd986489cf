#include "StyleRollback.h"

#include <Qsci/qsciscintillabase.h>

namespace {

using Sci = QsciScintillaBase;

}  // namespace

bool CStyleRollback::Remember(long long start, const char* styles, std::size_t length)
{
    // SCI_GETSTYLEDTEXT gives (byte, style) pairs plus two NULs.
    m_styled.resize(2 * length + 2);
    m_editor.SendScintilla(Sci::SCI_GETSTYLEDTEXT, static_cast<long>(start),
                           static_cast<long>(start + static_cast<long long>(length)),
                           m_styled.data());
    std::size_t nFirstDiff = 0;
    while (nFirstDiff < length && m_styled[2 * nFirstDiff + 1] == styles[nFirstDiff])
        ++nFirstDiff;
    if (nFirstDiff == length)
        return false;
    SStretch stretch{start, {}, {}};
    for (std::size_t i = 0; i < length; ++i) {
        const char style = m_styled[2 * i + 1];
        if (stretch.runStyles.empty() || stretch.runStyles.back() != style) {
            stretch.runStyles.push_back(style);
            stretch.runLengths.push_back(0);
        }
        ++stretch.runLengths.back();
    }
    m_stretches.push_back(std::move(stretch));
    return true;
}

void CStyleRollback::Restore()
{
    std::vector<char> styles;
    for (auto it = m_stretches.rbegin(); it != m_stretches.rend(); ++it) {
        styles.clear();
        for (std::size_t i = 0; i < it->runStyles.size(); ++i)
            styles.insert(styles.end(), it->runLengths[i], it->runStyles[i]);
        m_editor.SendScintilla(Sci::SCI_STARTSTYLING, static_cast<unsigned long>(it->nStart),
                               0xffL);
        m_editor.SendScintilla(Sci::SCI_SETSTYLINGEX, static_cast<uintptr_t>(styles.size()),
                               styles.data());
    }
    m_stretches.clear();
}
