#include "WellFormedCheck.h"

#include "FileCodec.h"
#include "XmlParserPtr.h"

#include <algorithm>
#include <vector>

namespace {

CheckOutcome ErrorOutcome(XML_Parser parser)
{
    CheckOutcome outcome;
    outcome.line = static_cast<long>(XML_GetCurrentLineNumber(parser));
    outcome.column = static_cast<long>(XML_GetCurrentColumnNumber(parser));
    outcome.byteIndex = static_cast<long long>(XML_GetCurrentByteIndex(parser));
    outcome.errorText = XML_ErrorString(XML_GetErrorCode(parser));
    outcome.outOfMemory = XML_GetErrorCode(parser) == XML_ERROR_NO_MEMORY;
    return outcome;
}

// Expat knows UTF-8, UTF-16, ISO-8859-1 and US-ASCII itself; the single-byte encodings the
// editor decodes (windows-125x, the other ISO-8859 parts) it reads from the editor's own tables.
int OnUnknownEncoding(void* /*data*/, const XML_Char* name, XML_Encoding* info)
{
    const CFileCodec* pCodec = CFileCodec::Named(name);
    if (!pCodec || !pCodec->IsSingleByte())
        return XML_STATUS_ERROR;
    std::copy(pCodec->ByteMap().begin(), pCodec->ByteMap().end(), info->map);
    info->data = nullptr;
    info->convert = nullptr;
    info->release = nullptr;
    return XML_STATUS_OK;
}

}  // namespace

CheckOutcome RunWellFormedCheck(const CheckReader& read, int chunkSize, const CheckCarryOn& carryOn)
{
    chunkSize = std::max(chunkSize, 1);
    XmlParserPtr parser(XML_ParserCreate(nullptr));
    if (!parser) {
        CheckOutcome outcome;
        outcome.parserCreated = false;
        outcome.errorText = XML_ErrorString(XML_ERROR_NO_MEMORY);
        return outcome;
    }
    XML_SetUserData(parser.get(), nullptr);
    XML_SetUnknownEncodingHandler(parser.get(), OnUnknownEncoding, nullptr);

    std::vector<char> buffer(static_cast<std::size_t>(chunkSize) + 1);
    long long nOffset = 0;
    bool bFinal = false;
    while (!bFinal) {
        // The chunk is as long as the read says, not up to a NUL: a NUL in the text must reach
        // the parser, or a faulty text would pass.
        const int nRead = std::clamp(read(buffer.data(), nOffset, chunkSize), 0, chunkSize);
        bFinal = nRead < chunkSize;
        if (XML_Parse(parser.get(), buffer.data(), nRead, bFinal) == XML_STATUS_ERROR)
            return ErrorOutcome(parser.get());
        nOffset += nRead;
        if (!bFinal && carryOn && !carryOn(nOffset)) {
            CheckOutcome outcome;
            outcome.cancelled = true;
            return outcome;
        }
    }
    CheckOutcome outcome;
    outcome.wellFormed = true;
    return outcome;
}

QString FormatCheckError(const CheckOutcome& outcome)
{
    const QString strError = QString::fromLatin1(outcome.errorText.c_str());
    if (!outcome.parserCreated)
        return QStringLiteral("The XML parser could not be started: %1\n").arg(strError);
    return QStringLiteral("%1 at line %2\n").arg(strError).arg(outcome.line);
}
