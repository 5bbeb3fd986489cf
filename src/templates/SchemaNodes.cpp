#include "SchemaNodes.h"

#include "DocumentFile.h"
#include "GrammarLocator.h"
#include "NetworkGuard.h"
#include "XmlErrorCollector.h"

#include <cstring>

bool IsSchemaElement(const xmlNode* node, const char* ns, const char* local)
{
    return node && node->type == XML_ELEMENT_NODE && node->ns
           && std::strcmp(reinterpret_cast<const char*>(node->ns->href), ns) == 0
           && std::strcmp(reinterpret_cast<const char*>(node->name), local) == 0;
}

std::string AttributeOf(const xmlNode* node, const char* name)
{
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    if (!value)
        return std::string();
    std::string text(reinterpret_cast<const char*>(value));
    xmlFree(value);
    // Names in schemas are tokens: surrounding blanks are no part of them.
    const auto first = text.find_first_not_of(" \t\r\n");
    const auto last = text.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

std::string LocalNameOf(const std::string& qualified)
{
    const auto colon = qualified.rfind(':');
    return colon == std::string::npos ? qualified : qualified.substr(colon + 1);
}

std::vector<const xmlNode*> ElementChildren(const xmlNode* node)
{
    std::vector<const xmlNode*> children;
    for (const xmlNode* child = node ? node->children : nullptr; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE)
            children.push_back(child);
    }
    return children;
}

XmlDocPtr ReadSchemaDocument(const QString& strPath, QString& strError)
{
    QByteArray bytes;
    if (!ReadDocumentFile(strPath, bytes, strError))
        return nullptr;
    InstallNetworkGuard();
    CXmlErrorCollector errors;
    SXmlReadOutcome read = ReadXmlText(bytes, strPath, kSafeParseOptions);
    if (!read.doc)
        strError = QStringLiteral("Failed to read %1: %2").arg(strPath, errors.FirstMessage());
    return std::move(read.doc);
}

QString SchemaHrefPath(const xmlDoc& doc, const std::string& href)
{
    return LocalPathOf(ResolveAgainst(QString::fromStdString(href), doc));
}
