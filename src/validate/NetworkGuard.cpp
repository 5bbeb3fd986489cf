#include "NetworkGuard.h"

#include <QRegularExpression>
#include <QUrl>

#include <libxml/catalog.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlIO.h>

#include <mutex>

namespace {

thread_local QStringList t_refused;
xmlExternalEntityLoader g_pFileLoader = nullptr;

// A local catalog may map a public address onto a file on disk; that file is welcome.
QString CatalogFileFor(const char* pUrl, const char* pId)
{
    xmlChar* pResolved = xmlCatalogResolve(reinterpret_cast<const xmlChar*>(pId),
                                           reinterpret_cast<const xmlChar*>(pUrl));
    if (!pResolved)
        pResolved = xmlCatalogResolveURI(reinterpret_cast<const xmlChar*>(pUrl));
    if (!pResolved)
        return QString();
    const QString strResolved = QString::fromUtf8(reinterpret_cast<const char*>(pResolved));
    xmlFree(pResolved);
    return IsNetworkLocation(strResolved) ? QString() : strResolved;
}

xmlParserInputPtr LoadLocalOnly(const char* pUrl, const char* pId, xmlParserCtxtPtr pContext)
{
    const QString strUrl = QString::fromUtf8(pUrl ? pUrl : "");
    if (!IsNetworkLocation(strUrl))
        return g_pFileLoader(pUrl, pId, pContext);
    const QByteArray local = CatalogFileFor(pUrl, pId).toUtf8();
    if (!local.isEmpty())
        return g_pFileLoader(local.constData(), pId, pContext);
    t_refused << strUrl;
    return nullptr;
}

}  // namespace

void InstallNetworkGuard()
{
    static std::once_flag s_once;
    std::call_once(s_once, [] {
        xmlInitParser();
        // The default loader consults the catalogs, then opens files; with no network option it
        // would still try http: on its own, hence the filter in front of it.
        g_pFileLoader = xmlNoNetExternalEntityLoader;
        xmlSetExternalEntityLoader(&LoadLocalOnly);
    });
}

QStringList TakeRefusedResources()
{
    QStringList refused;
    refused.swap(t_refused);
    return refused;
}

bool IsNetworkLocation(const QString& strLocation)
{
    // Two letters at least, so that a Windows drive ("C:") is not a scheme.
    static const QRegularExpression s_scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]+):"));
    const QRegularExpressionMatch match = s_scheme.match(strLocation);
    return match.hasMatch()
           && match.captured(1).compare(QLatin1String("file"), Qt::CaseInsensitive);
}

QString LocalPathOf(const QString& strLocation)
{
    if (IsNetworkLocation(strLocation))
        return QString();
    if (strLocation.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return QUrl(strLocation).toLocalFile();
    return strLocation;
}

QString NetworkRefusalSentence(const QString& strWhat, const QString& strLocation)
{
    return QStringLiteral("The %1 %2 is not on this computer, and Tarnel never fetches anything "
                          "from the network.")
        .arg(strWhat, strLocation);
}
