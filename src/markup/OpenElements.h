// The elements open at a point of the text, innermost first, as a shared immutable list: a copy
// is one pointer, so a pass can keep the state at many points cheaply.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct SOpenElement
{
    std::string name;
    long long nStart;  // its start tag's "<"
    int nDepth;        // 1 for an outermost element
    std::uint64_t nHash;
    std::shared_ptr<const SOpenElement> pParent;
};

class COpenElements
{
public:
    // An end tag closes the innermost open element of its name among this many innermost ones,
    // with every element inside it; otherwise it closes nothing. Bounded so that a long run of
    // stray end tags under deep unclosed markup costs little each.
    static constexpr int kSearchDepth = 256;

    COpenElements() = default;
    COpenElements(const COpenElements&) = default;
    COpenElements& operator=(const COpenElements& other);
    // Frees a long list one node at a time: nesting of any depth must not overflow the stack.
    ~COpenElements();

    int Depth() const { return m_pTop ? m_pTop->nDepth : 0; }
    // Differs, but for a rare collision, whenever the names open differ.
    std::uint64_t Hash() const { return m_pTop ? m_pTop->nHash : 0x9E3779B97F4A7C15ULL; }
    const SOpenElement* Innermost() const { return m_pTop.get(); }

    void Open(std::string_view name, long long nStart);
    // False when no element of that name is open within reach.
    bool Close(std::string_view name);
    // As Close, but the element of that name stays open, innermost.
    bool CloseInside(std::string_view name);
    void CloseInnermost();
    // Closes the elements deeper than `nDepth`.
    void CloseDeeperThan(int nDepth);

    // The same elements with each start from `nFrom` on mapped through `map`; those that start
    // before it, and every element outside them, keep theirs and stay shared.
    template <typename Map>
    COpenElements Moved(long long nFrom, const Map& map) const;

    bool operator==(const COpenElements& other) const { return m_pTop == other.m_pTop; }

private:
    COpenElements MovedFrom(const std::vector<const SOpenElement*>& chain,
                            const std::vector<long long>& starts) const;

    std::shared_ptr<const SOpenElement> m_pTop;
};

template <typename Map>
COpenElements COpenElements::Moved(long long nFrom, const Map& map) const
{
    std::vector<const SOpenElement*> chain;  // innermost first, down to the first kept
    std::vector<long long> starts;
    bool bChanged = false;
    for (const SOpenElement* p = m_pTop.get(); p && p->nStart >= nFrom; p = p->pParent.get()) {
        chain.push_back(p);
        starts.push_back(map(p->nStart));
        bChanged = bChanged || starts.back() != p->nStart;
    }
    return bChanged ? MovedFrom(chain, starts) : *this;
}
