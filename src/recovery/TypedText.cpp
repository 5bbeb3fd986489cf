#include "TypedText.h"

#include <algorithm>

namespace {

// A stretch of the text: bytes of the original (unknown, only their count), or inserted ones.
struct SPiece
{
    bool bTyped = false;
    qint64 nLength = 0;
    QByteArray bytes;  // when typed
};

class CPieces
{
public:
    explicit CPieces(qint64 nBaseLength)
    {
        if (nBaseLength > 0)
            m_pieces.push_back({false, nBaseLength, {}});
    }

    void Insert(qint64 nPos, const QByteArray& bytes)
    {
        const std::size_t nAt = SplitAt(nPos);
        m_pieces.insert(m_pieces.begin() + static_cast<std::ptrdiff_t>(nAt),
                        {true, bytes.size(), bytes});
    }

    void Delete(qint64 nPos, qint64 nLength)
    {
        const auto nFirst = static_cast<std::ptrdiff_t>(SplitAt(nPos));
        const auto nLast = static_cast<std::ptrdiff_t>(SplitAt(nPos + nLength));
        m_pieces.erase(m_pieces.begin() + nFirst, m_pieces.begin() + nLast);
    }

    QByteArray Typed() const
    {
        QByteArray out;
        bool bOriginalBetween = false;
        for (const SPiece& piece : m_pieces) {
            if (!piece.bTyped) {
                bOriginalBetween = !out.isEmpty();
                continue;
            }
            if (bOriginalBetween && !out.endsWith('\n'))
                out += '\n';
            bOriginalBetween = false;
            out += piece.bytes;
        }
        return out;
    }

private:
    // The index of the piece that begins at `nPos`, splitting the one across it.
    std::size_t SplitAt(qint64 nPos)
    {
        qint64 nStart = 0;
        for (std::size_t i = 0; i < m_pieces.size(); ++i) {
            SPiece& piece = m_pieces[i];
            if (nPos == nStart)
                return i;
            if (nPos < nStart + piece.nLength) {
                const qint64 nHead = nPos - nStart;
                SPiece tail{piece.bTyped, piece.nLength - nHead,
                            piece.bTyped ? piece.bytes.mid(nHead) : QByteArray()};
                piece.nLength = nHead;
                if (piece.bTyped)
                    piece.bytes.truncate(nHead);
                m_pieces.insert(m_pieces.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                std::move(tail));
                return i + 1;
            }
            nStart += piece.nLength;
        }
        return m_pieces.size();
    }

    std::vector<SPiece> m_pieces;
};

}  // namespace

QByteArray CTypedText::Of(qint64 nBaseLength, const std::vector<SRecoveryEdit>& edits)
{
    CPieces pieces(nBaseLength);
    for (const SRecoveryEdit& edit : edits) {
        if (edit.kind == SRecoveryEdit::EKind::Insert)
            pieces.Insert(edit.nPos, edit.data);
        else if (edit.kind == SRecoveryEdit::EKind::Delete)
            pieces.Delete(edit.nPos, edit.nLength);
    }
    return pieces.Typed();
}
