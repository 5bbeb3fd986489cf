#include "XsltTransformer.h"

#include "GrammarLocator.h"
#include "NetworkGuard.h"
#include "XmlDocReader.h"
#include "XmlErrorCollector.h"

#include <QFileInfo>

#include <libexslt/exslt.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <mutex>

namespace {

using StylesheetPtr = TXmlPtr<xsltStylesheet, xsltFreeStylesheet>;
using SecurityPtr = TXmlPtr<xsltSecurityPrefs, xsltFreeSecurityPrefs>;
using TransformCtxtPtr = TXmlPtr<xsltTransformContext, xsltFreeTransformContext>;

// What libxslt itself reads a source document with, minus the network.
constexpr int kSourceOptions =
    kSafeParseOptions | XML_PARSE_NOENT | XML_PARSE_DTDLOAD | XML_PARSE_DTDATTR | XML_PARSE_NOCDATA;

// libxslt's generic error channel is one process-wide variable, not per thread.
std::mutex g_xsltErrorLock;

STransformResult Failed(const QString& strMessage, QVector<SValidationIssue> issues = {})
{
    STransformResult result;
    result.strMessage = strMessage;
    result.issues = std::move(issues);
    return result;
}

SecurityPtr ForbiddingPrefs()
{
    SecurityPtr prefs(xsltNewSecurityPrefs());
    for (xsltSecurityOption option : {XSLT_SECPREF_WRITE_FILE, XSLT_SECPREF_CREATE_DIRECTORY,
                                      XSLT_SECPREF_READ_NETWORK, XSLT_SECPREF_WRITE_NETWORK})
        xsltSetSecurityPrefs(prefs.get(), option, xsltSecurityForbid);
    return prefs;
}

// The href of the first <?xml-stylesheet?> that names XSLT, resolved; empty when there is none.
QString StylesheetFromInstruction(const xmlDoc& doc)
{
    for (const xmlNode* pNode = doc.children; pNode; pNode = pNode->next) {
        if (pNode->type != XML_PI_NODE
            || qstrcmp(reinterpret_cast<const char*>(pNode->name), "xml-stylesheet"))
            continue;
        const QMap<QString, QString> attrs =
            PseudoAttributes(QString::fromUtf8(reinterpret_cast<const char*>(pNode->content)));
        const QString strType = attrs.value(QStringLiteral("type"));
        const QString strHref = attrs.value(QStringLiteral("href"));
        if (!strHref.isEmpty()
            && (strType.contains(QLatin1String("xsl")) || strType.endsWith("/xml")))
            return ResolveAgainst(strHref, doc);
    }
    return QString();
}

QString NoStylesheetSentence(const QString& strDocumentPath)
{
    const QString strName = strDocumentPath.isEmpty() ? QStringLiteral("The document")
                                                      : QFileInfo(strDocumentPath).fileName();
    return QStringLiteral("%1 names no XSLT stylesheet (<?xml-stylesheet type=\"text/xsl\" "
                          "href=\"...\"?>).")
        .arg(strName);
}

QString UnreadableStylesheet(const QString& strLocation)
{
    if (IsNetworkLocation(strLocation))
        return NetworkRefusalSentence(QStringLiteral("stylesheet"), strLocation);
    QFile file(LocalPathOf(strLocation));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("The stylesheet %1 cannot be read: %2.")
            .arg(file.fileName(), file.errorString());
    return QString();
}

void OnXsltError(void* pCollector, const char* format, ...)
{
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    static_cast<CXmlErrorCollector*>(pCollector)->AddText(QString::fromUtf8(buffer));
}

STransformResult Apply(xsltStylesheet& style, xmlDoc& doc, CXmlErrorCollector& errors)
{
    SecurityPtr prefs = ForbiddingPrefs();
    TransformCtxtPtr context(xsltNewTransformContext(&style, &doc));
    xsltSetCtxtSecurityPrefs(prefs.get(), context.get());
    xsltSetTransformErrorFunc(context.get(), &errors, &OnXsltError);
    XmlDocPtr output(
        xsltApplyStylesheetUser(&style, &doc, nullptr, nullptr, nullptr, context.get()));
    if (!output || context->state != XSLT_STATE_OK)
        return Failed(QStringLiteral("The transformation failed: %1").arg(errors.FirstMessage()),
                      errors.TakeIssues());
    xmlChar* pBytes = nullptr;
    int nLength = 0;
    if (xsltSaveResultToString(&pBytes, &nLength, output.get(), &style) < 0)
        return Failed(QStringLiteral("The transformation's result could not be written out."));
    STransformResult result;
    result.bDone = true;
    result.output = QByteArray(reinterpret_cast<const char*>(pBytes), nLength);
    xmlFree(pBytes);
    return result;
}

}  // namespace

STransformResult TransformXmlText(const STransformRequest& request, const std::atomic_bool* pCancel)
{
    InstallNetworkGuard();
    static std::once_flag s_exslt;
    std::call_once(s_exslt, [] { exsltRegisterAll(); });
    std::lock_guard<std::mutex> lock(g_xsltErrorLock);
    CXmlErrorCollector errors;
    errors.SetDocumentFile(QFile::encodeName(DocumentBasePath(request.strDocumentPath)));
    xsltSetGenericErrorFunc(&errors, &OnXsltError);
    struct SRestore
    {
        ~SRestore() { xsltSetGenericErrorFunc(nullptr, nullptr); }
    } restore;
    TakeRefusedResources();
    SXmlReadOutcome read =
        ReadXmlText(request.text, request.strDocumentPath, kSourceOptions, pCancel);
    if (read.bCancelled)
        return {false, true, {}, {}, {}, {}};
    if (!read.doc)
        return Failed(QStringLiteral("The document is not well-formed XML."), errors.TakeIssues());
    const QString strLocation = request.strStylesheetPath.isEmpty()
                                    ? StylesheetFromInstruction(*read.doc)
                                    : QFileInfo(request.strStylesheetPath).absoluteFilePath();
    if (strLocation.isEmpty())
        return Failed(NoStylesheetSentence(request.strDocumentPath));
    const QString strUnreadable = UnreadableStylesheet(strLocation);
    if (!strUnreadable.isEmpty())
        return Failed(strUnreadable);
    errors.TakeIssues();
    const QByteArray location = strLocation.toUtf8();
    StylesheetPtr style(
        xsltParseStylesheetFile(reinterpret_cast<const xmlChar*>(location.constData())));
    if (!style) {
        const QStringList refused = TakeRefusedResources();
        const QString strWhy =
            refused.isEmpty()
                ? QStringLiteral("The stylesheet %1 has errors.").arg(LocalPathOf(strLocation))
                : NetworkRefusalSentence(QStringLiteral("stylesheet part"), refused.first());
        return Failed(strWhy, errors.TakeIssues());
    }
    if (pCancel && pCancel->load())
        return {false, true, {}, {}, {}, {}};
    STransformResult result = Apply(*style, *read.doc, errors);
    result.strStylesheet = LocalPathOf(strLocation);
    return result;
}
