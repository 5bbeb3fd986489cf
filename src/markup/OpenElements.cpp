#include "OpenElements.h"

namespace {

std::uint64_t Mix(std::uint64_t hash, std::string_view name)
{
    // FNV-1a over the name, then folded into the parent's hash.
    std::uint64_t nName = 0xCBF29CE484222325ULL;
    for (const char c : name)
        nName = (nName ^ static_cast<unsigned char>(c)) * 0x100000001B3ULL;
    hash ^= nName + 0x9E3779B97F4A7C15ULL + (hash << 6) + (hash >> 2);
    return hash * 0xFF51AFD7ED558CCDULL;
}

}  // namespace

void COpenElements::Open(std::string_view name, long long nStart)
{
    m_pTop = std::make_shared<const SOpenElement>(
        SOpenElement{std::string(name), nStart, Depth() + 1, Mix(Hash(), name), m_pTop});
}

COpenElements COpenElements::MovedFrom(const std::vector<const SOpenElement*>& chain,
                                       const std::vector<long long>& starts) const
{
    // The outermost element that moves, and every one inside it, get new nodes.
    std::size_t nMoved = chain.size();
    for (std::size_t i = 0; i < chain.size(); ++i)
        if (starts[i] != chain[i]->nStart)
            nMoved = i + 1;
    if (nMoved == 0)
        return *this;
    COpenElements moved;
    moved.m_pTop = chain[nMoved - 1]->pParent;
    for (std::size_t i = nMoved; i-- > 0;)
        moved.Open(chain[i]->name, starts[i]);
    return moved;
}

bool COpenElements::Close(std::string_view name)
{
    if (!CloseInside(name))
        return false;
    CloseInnermost();
    return true;
}

bool COpenElements::CloseInside(std::string_view name)
{
    std::shared_ptr<const SOpenElement> pElement = m_pTop;
    for (int i = 0; pElement && i < kSearchDepth; ++i, pElement = pElement->pParent) {
        if (pElement->name == name) {
            m_pTop = std::move(pElement);
            return true;
        }
    }
    return false;
}

void COpenElements::CloseDeeperThan(int nDepth)
{
    while (Depth() > nDepth)
        CloseInnermost();
}

void COpenElements::CloseInnermost()
{
    if (m_pTop)
        m_pTop = m_pTop->pParent;
}

COpenElements& COpenElements::operator=(const COpenElements& other)
{
    if (this != &other) {
        COpenElements old;
        old.m_pTop = std::move(m_pTop);
        m_pTop = other.m_pTop;
    }
    return *this;
}

COpenElements::~COpenElements()
{
    while (m_pTop && m_pTop.use_count() == 1) {
        std::shared_ptr<const SOpenElement> pParent = m_pTop->pParent;
        m_pTop = std::move(pParent);
    }
}
