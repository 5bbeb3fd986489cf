// The tips reader over any file: every read ends, a tip is one non-empty line, and reading on
// from any offset works as well.
#include "FuzzAssert.h"
#include "FuzzFile.h"
#include "TipsReader.h"

#include <cstddef>
#include <cstdint>

namespace {

void ReadSome(CTipsFile& tips, int nReads)
{
    QString strTip;
    for (int i = 0; i < nReads; ++i) {
        const CTipsFile::EReadResult eResult = tips.ReadNextTip(strTip);
        if (eResult != CTipsFile::EReadResult::Tip) {
            FUZZ_ASSERT(eResult == CTipsFile::EReadResult::NoTips && strTip.isEmpty());
            return;
        }
        FUZZ_ASSERT(!strTip.isEmpty() && !strTip.contains(QLatin1Char('\n')));
        MnemonicDisplayText(strTip);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static CFuzzFile file;
    file.Write(data, size);
    CTipsFile tips(file.Path());
    FUZZ_ASSERT(tips.IsOpen());
    ReadSome(tips, 8);
    // Offsets a stored position could hold, including past the end.
    const long nOffset = size > 0 ? static_cast<long>(data[0] * size / 128) : 0;
    FUZZ_ASSERT(tips.Seek(nOffset));
    ReadSome(tips, 4);
    return 0;
}
