// The most recently used document paths, most recent first, kept in the settings.
#pragma once

#include <QString>
#include <QStringList>

class CRecentFileList
{
public:
    static constexpr int kMaxDisplayLength = 30;

    explicit CRecentFileList(int nSize);

    // Puts `path` (made absolute and clean) at the top; an equal entry moves up, and the
    // oldest entry drops out when the list is full.
    void Add(const QString& path);
    void Remove(int nIndex);

    int GetSize() const { return static_cast<int>(m_entries.size()); }
    QString GetPath(int nIndex) const { return m_entries.value(nIndex); }
    // "&1 name": the entry's number, a blank and the shortened path, ampersands doubled.
    QString GetDisplayName(int nIndex) const;

    // Read and write section "Recent File List", values "File1" to "File<size>".
    void ReadList();
    void WriteList() const;

    // `path` shortened to at most `nMaxLength` characters, keeping the file name whole
    // where it fits and replacing leading folders with "...".
    static QString AbbreviatePath(const QString& path, int nMaxLength);

private:
    int IndexOf(const QString& path) const;

    int m_nSize;
    QStringList m_entries;
};
