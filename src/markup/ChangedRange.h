// The stretch of a text that a series of insertions and deletions has touched, in offsets of the
// text as it is after them.
#pragma once

class CChangedRange
{
public:
    // Before `nLength` bytes are inserted at `nPosition`.
    void Insert(long long nPosition, long long nLength);
    // Before `nLength` bytes are deleted from `nPosition`.
    void Delete(long long nPosition, long long nLength);

    bool IsEmpty() const { return m_nStart < 0; }
    long long Start() const { return m_nStart; }
    long long End() const { return m_nEnd; }
    void Clear() { m_nStart = m_nEnd = -1; }

private:
    void Include(long long nFrom, long long nTo);

    long long m_nStart = -1;
    long long m_nEnd = -1;
};
