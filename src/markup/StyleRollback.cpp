#include "StyleRollback.h"

#include <algorithm>

void CStyleRollback::SetStyles(long long start, const char* styles, std::size_t length)
{
    m_old.resize(length);
    m_text.ReadStyles(start, m_old.data(), length);
    if (std::equal(m_old.begin(), m_old.end(), styles))
        return;
    SStretch stretch{start, {}, {}};
    for (const char style : m_old) {
        if (stretch.runStyles.empty() || stretch.runStyles.back() != style) {
            stretch.runStyles.push_back(style);
            stretch.runLengths.push_back(0);
        }
        ++stretch.runLengths.back();
    }
    m_stretches.push_back(std::move(stretch));
    m_text.SetStyles(start, styles, length);
}

void CStyleRollback::Restore()
{
    std::vector<char> styles;
    for (auto it = m_stretches.rbegin(); it != m_stretches.rend(); ++it) {
        styles.clear();
        for (std::size_t i = 0; i < it->runStyles.size(); ++i)
            styles.insert(styles.end(), it->runLengths[i], it->runStyles[i]);
        m_text.SetStyles(it->nStart, styles.data(), styles.size());
    }
    m_stretches.clear();
}
