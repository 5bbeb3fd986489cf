#include "RecentFileList.h"

#include "Profile.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kSection = QStringLiteral("Recent File List");
const QString kEllipsis = QStringLiteral("...");

QString EntryName(int nIndex)
{
    return QStringLiteral("File%1").arg(nIndex + 1);
}

QString Normalised(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// Keeps the start and the end (the extension) of a name too long to show whole.
QString ShortenName(const QString& name, int nMaxLength)
{
    const int nKeep = nMaxLength - static_cast<int>(kEllipsis.size());
    if (nKeep <= 0)
        return name.left(nMaxLength);
    const int nTail = nKeep / 2;
    return name.left(nKeep - nTail) + kEllipsis + name.right(nTail);
}

}  // namespace

CRecentFileList::CRecentFileList(int nSize) : m_nSize(nSize > 0 ? nSize : 1) {}

void CRecentFileList::Add(const QString& path)
{
    if (path.isEmpty())
        return;
    const QString normalised = Normalised(path);
    const int nExisting = IndexOf(normalised);
    if (nExisting >= 0)
        m_entries.removeAt(nExisting);
    m_entries.prepend(normalised);
    while (m_entries.size() > m_nSize)
        m_entries.removeLast();
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex >= 0 && nIndex < m_entries.size())
        m_entries.removeAt(nIndex);
}

QString CRecentFileList::GetDisplayName(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_entries.size())
        return QString();
    QString name = QDir::toNativeSeparators(AbbreviatePath(m_entries[nIndex], kMaxDisplayLength));
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(nIndex + 1).arg(name);
}

void CRecentFileList::ReadList()
{
    m_entries.clear();
    for (int i = 0; i < m_nSize; ++i) {
        const QString path = GetProfileString(kSection, EntryName(i));
        if (!path.isEmpty() && IndexOf(path) < 0)
            m_entries.append(path);
    }
}

void CRecentFileList::WriteList() const
{
    ClearProfileSection(kSection);
    for (int i = 0; i < m_entries.size(); ++i)
        WriteProfileString(kSection, EntryName(i), m_entries[i]);
}

QString CRecentFileList::AbbreviatePath(const QString& path, int nMaxLength)
{
    if (path.size() <= nMaxLength)
        return path;
    const int nSlash = static_cast<int>(path.lastIndexOf(QLatin1Char('/')));
    const QString name = path.mid(nSlash + 1);
    if (nSlash < 0)
        return ShortenName(name, nMaxLength);
    // The root ("/" or "C:/"), "...", then as many trailing folders as fit.
    const int nRootSlash = static_cast<int>(path.indexOf(QLatin1Char('/')));
    const QString root = path.left(nRootSlash + 1);
    const int nFixed = static_cast<int>(root.size() + kEllipsis.size());
    if (nFixed + path.size() - nSlash > nMaxLength)
        return name.size() <= nMaxLength ? name : ShortenName(name, nMaxLength);
    int nCut = nSlash;
    for (;;) {
        const int nPrevious = static_cast<int>(path.lastIndexOf(QLatin1Char('/'), nCut - 1));
        if (nPrevious <= nRootSlash || nFixed + path.size() - nPrevious > nMaxLength)
            break;
        nCut = nPrevious;
    }
    const QString tail = path.mid(nCut);
    return root + kEllipsis + tail;
}

int CRecentFileList::IndexOf(const QString& path) const
{
#ifdef Q_OS_WIN
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].compare(path, cs) == 0)
            return i;
    }
    return -1;
}
