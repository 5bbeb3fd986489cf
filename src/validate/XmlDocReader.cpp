#include "XmlDocReader.h"

#include <QDir>
#include <QFileInfo>

#include <libxml/parser.h>

#include <algorithm>

namespace {

constexpr int kChunkSize = 1 << 20;

bool IsCancelled(const std::atomic_bool* pCancel)
{
    return pCancel && pCancel->load(std::memory_order_relaxed);
}

}  // namespace

QString DocumentBasePath(const QString& strDocumentPath)
{
    if (!strDocumentPath.isEmpty())
        return QFileInfo(strDocumentPath).absoluteFilePath();
    return QDir::current().absoluteFilePath(QStringLiteral("Untitled"));
}

SXmlReadOutcome ReadXmlText(const QByteArray& text, const QString& strDocumentPath, int nOptions,
                            const std::atomic_bool* pCancel)
{
    SXmlReadOutcome outcome;
    const QByteArray base = QFile::encodeName(DocumentBasePath(strDocumentPath));
    // The first bytes go in at creation: they decide the encoding.
    const int nFirst = static_cast<int>(std::min<qsizetype>(4, text.size()));
    xmlParserCtxtPtr pContext =
        xmlCreatePushParserCtxt(nullptr, nullptr, text.constData(), nFirst, base.constData());
    if (!pContext)
        return outcome;
    xmlCtxtUseOptions(pContext, nOptions);
    qsizetype nOffset = nFirst;
    while (nOffset < text.size()) {
        if (IsCancelled(pCancel)) {
            outcome.bCancelled = true;
            break;
        }
        const int nChunk = static_cast<int>(std::min<qsizetype>(kChunkSize, text.size() - nOffset));
        if (xmlParseChunk(pContext, text.constData() + nOffset, nChunk, 0) != XML_ERR_OK
            && pContext->disableSAX)
            break;
        nOffset += nChunk;
    }
    if (!outcome.bCancelled)
        xmlParseChunk(pContext, nullptr, 0, 1);
    XmlDocPtr doc(pContext->myDoc);
    pContext->myDoc = nullptr;
    outcome.bValid = pContext->valid;
    if (pContext->wellFormed && !outcome.bCancelled)
        outcome.doc = std::move(doc);
    xmlFreeParserCtxt(pContext);
    return outcome;
}
