#include "GrammarLocator.h"

#include "NetworkGuard.h"
#include "XmlDocReader.h"
#include "XmlErrorCollector.h"

#include <QFile>
#include <QRegularExpression>

#include <libxml/parser.h>
#include <libxml/uri.h>

namespace {

const char kXsdNamespace[] = "http://www.w3.org/2001/XMLSchema";
const char kRngNamespace[] = "http://relaxng.org/ns/structure/1.0";
const char kXsiNamespace[] = "http://www.w3.org/2001/XMLSchema-instance";

QString Utf8(const xmlChar* p)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(p));
}

EGrammarKind KindOfNamespace(const QString& strNamespace)
{
    if (strNamespace == QLatin1String(kXsdNamespace))
        return EGrammarKind::XmlSchema;
    if (strNamespace == QLatin1String(kRngNamespace))
        return EGrammarKind::RelaxNg;
    return EGrammarKind::None;
}

SGrammarRef FromXmlModel(const xmlDoc& doc, const QString& strContent)
{
    const QMap<QString, QString> attrs = PseudoAttributes(strContent);
    const QString strHref = attrs.value(QStringLiteral("href"));
    SGrammarRef ref;
    if (strHref.isEmpty())
        return ref;
    ref.strLocation = ResolveAgainst(strHref, doc);
    const QString strType = attrs.value(QStringLiteral("type"));
    if (strType.contains(QLatin1String("compact")) || strHref.endsWith(QLatin1String(".rnc"))) {
        ref.kind = EGrammarKind::RelaxNg;
        ref.strProblem =
            QStringLiteral("The grammar %1 is RELAX NG in compact syntax, which Tarnel "
                           "cannot read; use its XML syntax (.rng).")
                .arg(ref.strLocation);
        return ref;
    }
    ref.kind = KindOfNamespace(attrs.value(QStringLiteral("schematypens")));
    if (ref.kind == EGrammarKind::None && !attrs.contains(QStringLiteral("schematypens")))
        ref.kind = GrammarKindOfFile(LocalPathOf(ref.strLocation));
    return ref;
}

SGrammarRef FromXmlModels(const xmlDoc& doc)
{
    for (const xmlNode* pNode = doc.children; pNode; pNode = pNode->next) {
        if (pNode->type != XML_PI_NODE || Utf8(pNode->name) != QLatin1String("xml-model"))
            continue;
        const SGrammarRef ref = FromXmlModel(doc, Utf8(pNode->content));
        if (ref.kind != EGrammarKind::None || !ref.strProblem.isEmpty())
            return ref;
    }
    return {};
}

QString XsiAttribute(const xmlNode& root, const char* pName)
{
    xmlChar* pValue = xmlGetNsProp(&root, reinterpret_cast<const xmlChar*>(pName),
                                   reinterpret_cast<const xmlChar*>(kXsiNamespace));
    const QString strValue = Utf8(pValue).simplified();
    xmlFree(pValue);
    return strValue;
}

// The location paired with the root's namespace, else the first location.
QString SchemaLocationFor(const xmlNode& root, const QString& strPairs)
{
    const QStringList parts = strPairs.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString strNamespace = root.ns ? Utf8(root.ns->href) : QString();
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i] == strNamespace)
            return parts[i + 1];
    }
    return parts.size() >= 2 ? parts[1] : QString();
}

SGrammarRef FromXsiAttributes(const xmlDoc& doc)
{
    const xmlNode* pRoot = xmlDocGetRootElement(&doc);
    if (!pRoot)
        return {};
    QString strHref = XsiAttribute(*pRoot, "noNamespaceSchemaLocation");
    if (strHref.isEmpty())
        strHref = SchemaLocationFor(*pRoot, XsiAttribute(*pRoot, "schemaLocation"));
    if (strHref.isEmpty())
        return {};
    return {EGrammarKind::XmlSchema, ResolveAgainst(strHref, doc), QString()};
}

}  // namespace

SGrammarRef LocateDocumentGrammar(const xmlDoc& doc)
{
    if (doc.intSubset) {
        const QString strSystem = Utf8(doc.intSubset->SystemID);
        return {EGrammarKind::Dtd, strSystem.isEmpty() ? QString() : ResolveAgainst(strSystem, doc),
                QString()};
    }
    const SGrammarRef model = FromXmlModels(doc);
    if (model.kind != EGrammarKind::None)
        return model;
    return FromXsiAttributes(doc);
}

EGrammarKind GrammarKindOfFile(const QString& strPath)
{
    QFile file(strPath);
    if (strPath.isEmpty() || !file.open(QIODevice::ReadOnly))
        return EGrammarKind::None;
    CXmlErrorCollector quiet;  // a DTD is not XML: its errors say nothing here
    const SXmlReadOutcome read = ReadXmlText(file.readAll(), strPath, kSafeParseOptions);
    const xmlNode* pRoot = read.doc ? xmlDocGetRootElement(read.doc.get()) : nullptr;
    if (pRoot && pRoot->ns) {
        const EGrammarKind kind = KindOfNamespace(Utf8(pRoot->ns->href));
        if (kind != EGrammarKind::None)
            return kind;
    }
    return EGrammarKind::Dtd;
}

QMap<QString, QString> PseudoAttributes(const QString& strContent)
{
    static const QRegularExpression s_attribute(
        QStringLiteral(R"re(([\w:.-]+)\s*=\s*(?:"([^"]*)"|'([^']*)'))re"));
    QMap<QString, QString> attrs;
    for (auto it = s_attribute.globalMatch(strContent); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString strValue = match.captured(2).isNull() ? match.captured(3) : match.captured(2);
        attrs.insert(match.captured(1), strValue);
    }
    return attrs;
}

QString ResolveAgainst(const QString& strHref, const xmlDoc& doc)
{
    const QByteArray href = strHref.toUtf8();
    xmlChar* pUri = xmlBuildURI(reinterpret_cast<const xmlChar*>(href.constData()), doc.URL);
    if (!pUri)
        return strHref;
    const QString strUri = Utf8(pUri);
    xmlFree(pUri);
    return strUri;
}

QString GrammarKindName(EGrammarKind kind)
{
    switch (kind) {
    case EGrammarKind::Dtd:
        return QStringLiteral("DTD");
    case EGrammarKind::XmlSchema:
        return QStringLiteral("XML Schema");
    case EGrammarKind::RelaxNg:
        return QStringLiteral("RELAX NG");
    case EGrammarKind::None:
        break;
    }
    return QStringLiteral("grammar");
}
