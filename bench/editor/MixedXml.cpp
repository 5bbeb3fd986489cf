#include "MixedXml.h"

#include <QFile>

#include <cstdint>
#include <string>

namespace {

constexpr int kLongLineBytes = 20 * 1024;
constexpr int kRecordsPerLongLine = 400;

const char* const kWords[] = {"alpha", "beta",  "gamma", "delta",  "château", "naïve", "über",
                              "zeta",  "theta", "kappa", "lambda", "sigma",   "omega", "Ærø"};
const char* const kNames[] = {"id", "lang", "type", "ref", "class", "status", "date", "n"};

// A small linear congruential generator: the files must not change between runs.
class CSequence
{
public:
    unsigned Next(unsigned nBound)
    {
        m_nState = m_nState * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<unsigned>(m_nState >> 33) % nBound;
    }

private:
    std::uint64_t m_nState = 42;
};

std::string Words(CSequence& seq, unsigned nCount)
{
    std::string text;
    for (unsigned i = 0; i < nCount; ++i) {
        if (i)
            text += ' ';
        text += kWords[seq.Next(sizeof kWords / sizeof *kWords)];
    }
    return text;
}

std::string StartTag(CSequence& seq, const char* name, int nRecord)
{
    std::string tag = std::string("<") + name;
    const unsigned nAttributes = 1 + seq.Next(4);
    for (unsigned i = 0; i < nAttributes; ++i)
        tag += std::string(" ") + kNames[i * 2 + seq.Next(2)] + "=\"" + Words(seq, 1)
               + std::to_string(nRecord) + "\"";
    return tag + ">";
}

std::string LongLine(CSequence& seq, int nRecord)
{
    std::string line = "  " + StartTag(seq, "blob", nRecord);
    while (line.size() < kLongLineBytes)
        line += Words(seq, 8) + " &amp; <em>" + Words(seq, 2) + "</em> ";
    return line + "</blob>\n";
}

std::string Record(CSequence& seq, int nRecord)
{
    std::string text = "  " + StartTag(seq, "record", nRecord) + "\n";
    if (seq.Next(3) == 0)
        text += "    <!-- " + Words(seq, 5) + " -->\n";
    const unsigned nFields = 2 + seq.Next(4);
    for (unsigned i = 0; i < nFields; ++i)
        text +=
            "    " + StartTag(seq, "field", nRecord) + Words(seq, 1 + seq.Next(9)) + "</field>\n";
    if (seq.Next(4) == 0)
        text += "    <empty " + std::string(kNames[seq.Next(8)]) + "=\"x\"/>\n";
    return text + "  </record>\n";
}

}  // namespace

bool WriteMixedXml(const QString& path, long long nBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    CSequence seq;
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- mixed benchmark data -->\n<data>\n";
    long long nWritten = 0;
    for (int nRecord = 0; nWritten + static_cast<long long>(text.size()) < nBytes; ++nRecord) {
        text += nRecord % kRecordsPerLongLine == kRecordsPerLongLine / 2 ? LongLine(seq, nRecord)
                                                                         : Record(seq, nRecord);
        if (text.size() > (1u << 20)) {
            if (file.write(text.data(), static_cast<qint64>(text.size()))
                != static_cast<qint64>(text.size()))
                return false;
            nWritten += static_cast<long long>(text.size());
            text.clear();
        }
    }
    text += "</data>\n";
    return file.write(text.data(), static_cast<qint64>(text.size()))
               == static_cast<qint64>(text.size())
           && file.flush();
}
