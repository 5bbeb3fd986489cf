// A 128-bit digest of a text (XXH3), fast enough to take as a file is read or written, so that
// recovery can tell by content whether edits still apply to a file.
#pragma once

#include <QtGlobal>

#include <cstddef>
#include <memory>

struct SContentDigest
{
    bool bKnown = false;
    quint64 nLow = 0;
    quint64 nHigh = 0;

    bool operator==(const SContentDigest& other) const
    {
        return bKnown && other.bKnown && nLow == other.nLow && nHigh == other.nHigh;
    }
    bool operator!=(const SContentDigest& other) const { return !(*this == other); }
};

class CContentDigest
{
public:
    CContentDigest();
    ~CContentDigest();
    CContentDigest(const CContentDigest&) = delete;
    CContentDigest& operator=(const CContentDigest&) = delete;

    void Reset();
    void Add(const char* pData, std::size_t nSize);
    // Of everything added since the last Reset.
    SContentDigest Result() const;

    static SContentDigest Of(const char* pData, std::size_t nSize);

private:
    struct SState;
    std::unique_ptr<SState> m_pState;
};
