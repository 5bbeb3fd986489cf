#include "RngGrammarReader.h"

#include "SchemaNodes.h"

#include <map>
#include <set>

namespace {

const char kRng[] = "http://relaxng.org/ns/structure/1.0";

bool IsRng(const xmlNode* node, const char* local)
{
    return IsSchemaElement(node, kRng, local);
}

bool IsNameClass(const xmlNode* node)
{
    return IsRng(node, "name") || IsRng(node, "anyName") || IsRng(node, "nsName")
           || IsRng(node, "choice");
}

// The name of an element or attribute pattern: its name attribute or a <name> child; empty for
// wildcards.
std::string PatternName(const xmlNode* pattern)
{
    std::string name = AttributeOf(pattern, "name");
    if (name.empty()) {
        const std::vector<const xmlNode*> children = ElementChildren(pattern);
        if (!children.empty() && IsRng(children.front(), "name")) {
            xmlChar* text = xmlNodeGetContent(children.front());
            name = text ? reinterpret_cast<const char*>(text) : "";
            xmlFree(text);
        }
    }
    const auto first = name.find_first_not_of(" \t\r\n");
    const auto last = name.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? std::string() : name.substr(first, last - first + 1);
}

// The content patterns of an element or attribute: all children but the name class.
std::vector<const xmlNode*> ContentOf(const xmlNode* pattern)
{
    std::vector<const xmlNode*> children = ElementChildren(pattern);
    if (AttributeOf(pattern, "name").empty() && !children.empty() && IsNameClass(children.front()))
        children.erase(children.begin());
    return children;
}

class CRngReader
{
public:
    QString Read(const QString& strPath, SGrammarModel& model);

private:
    // Where a walk is: the rule it fills (null for the start) and whether what it meets there
    // may be left out.
    struct SContext
    {
        SElementRule* pRule;
        bool bOptional;
        bool* pContent;
        std::set<std::string>* pRefsSeen;
    };

    bool Collect(const QString& strPath, QString& strError);
    void CollectGrammar(const xmlDoc& doc, const xmlNode* grammar, QString& strError);
    void Walk(const xmlNode* pattern, const SContext& context);
    void WalkChildren(const std::vector<const xmlNode*>& children, const SContext& context);
    void WalkElement(const xmlNode* pattern);

    SGrammarModel* m_pModel = nullptr;
    std::vector<XmlDocPtr> m_docs;
    std::set<QString> m_readPaths;
    std::vector<const xmlNode*> m_starts;
    std::map<std::string, std::vector<const xmlNode*>> m_defines;  // combined definitions
    std::set<const xmlNode*> m_walked;
    std::vector<const xmlNode*> m_pending;
    std::set<std::string> m_seen;
};

QString CRngReader::Read(const QString& strPath, SGrammarModel& model)
{
    m_pModel = &model;
    QString strError;
    if (!Collect(strPath, strError))
        return strError;
    bool bContent = false;
    std::set<std::string> refsSeen;
    const SContext start{nullptr, false, &bContent, &refsSeen};
    for (const xmlNode* node : m_starts)
        WalkChildren(ElementChildren(node), start);
    while (!m_pending.empty()) {
        const xmlNode* pattern = m_pending.back();
        m_pending.pop_back();
        if (m_walked.insert(pattern).second)
            WalkElement(pattern);
    }
    if (model.elements.empty())
        return QStringLiteral("Failed to read the RELAX NG schema %1: it defines no elements.")
            .arg(strPath);
    return QString();
}

bool CRngReader::Collect(const QString& strPath, QString& strError)
{
    if (!m_readPaths.insert(strPath).second)
        return true;
    XmlDocPtr doc = ReadSchemaDocument(strPath, strError);
    if (!doc)
        return false;
    const xmlNode* top = xmlDocGetRootElement(doc.get());
    if (!top || !top->ns || std::string(reinterpret_cast<const char*>(top->ns->href)) != kRng) {
        strError = QStringLiteral("Failed to read %1: it is not a RELAX NG schema.").arg(strPath);
        return false;
    }
    m_docs.push_back(std::move(doc));
    if (IsRng(top, "grammar"))
        CollectGrammar(*m_docs.back(), top, strError);
    else
        m_starts.push_back(top->parent);  // a bare pattern is its own start
    return strError.isEmpty();
}

void CRngReader::CollectGrammar(const xmlDoc& doc, const xmlNode* grammar, QString& strError)
{
    for (const xmlNode* node : ElementChildren(grammar)) {
        if (IsRng(node, "start")) {
            m_starts.push_back(node);
        } else if (IsRng(node, "define")) {
            m_defines[AttributeOf(node, "name")].push_back(node);
        } else if (IsRng(node, "div")) {
            CollectGrammar(doc, node, strError);
        } else if (IsRng(node, "include")) {
            if (!Collect(SchemaHrefPath(doc, AttributeOf(node, "href")), strError))
                return;
            CollectGrammar(doc, node, strError);  // its own definitions come too
        }
    }
}

void CRngReader::WalkChildren(const std::vector<const xmlNode*>& children, const SContext& context)
{
    for (const xmlNode* child : children)
        Walk(child, context);
}

void CRngReader::Walk(const xmlNode* pattern, const SContext& context)
{
    if (IsRng(pattern, "element")) {
        *context.pContent = true;
        const std::string name = PatternName(pattern);
        if (!name.empty()) {
            SGrammarModel::AddOnce(context.pRule ? context.pRule->children : m_pModel->roots, name);
            m_pending.push_back(pattern);
        }
    } else if (IsRng(pattern, "attribute")) {
        const std::string name = PatternName(pattern);
        if (!context.pRule || name.empty())
            return;
        SGrammarModel::AddOnce(context.pRule->attributes, name);
        if (!context.bOptional)
            SGrammarModel::AddOnce(context.pRule->requiredAttributes, name);
    } else if (IsRng(pattern, "ref") || IsRng(pattern, "parentRef")) {
        const std::string name = AttributeOf(pattern, "name");
        const auto defines = m_defines.find(name);
        // A definition met again on the same walk adds nothing new.
        if (defines == m_defines.end() || !context.pRefsSeen->insert(name).second)
            return;
        for (const xmlNode* define : defines->second) {
            // Alternatives combined by choice are each optional.
            SContext inner = context;
            inner.bOptional =
                context.bOptional
                || (defines->second.size() > 1 && AttributeOf(define, "combine") == "choice");
            WalkChildren(ElementChildren(define), inner);
        }
    } else if (IsRng(pattern, "optional") || IsRng(pattern, "zeroOrMore")
               || IsRng(pattern, "choice")) {
        SContext inner = context;
        inner.bOptional = true;
        WalkChildren(ElementChildren(pattern), inner);
    } else if (IsRng(pattern, "oneOrMore") || IsRng(pattern, "group")
               || IsRng(pattern, "interleave") || IsRng(pattern, "mixed")) {
        if (IsRng(pattern, "mixed"))
            *context.pContent = true;
        WalkChildren(ElementChildren(pattern), context);
    } else if (IsRng(pattern, "text") || IsRng(pattern, "data") || IsRng(pattern, "value")
               || IsRng(pattern, "list")) {
        *context.pContent = true;
    }
}

void CRngReader::WalkElement(const xmlNode* pattern)
{
    const std::string name = PatternName(pattern);
    SElementRule& rule = m_pModel->Rule(name);
    bool bContent = false;
    std::set<std::string> refsSeen;
    WalkChildren(ContentOf(pattern), {&rule, false, &bContent, &refsSeen});
    const bool bEmpty = !bContent;
    rule.bEmpty = m_seen.insert(name).second ? bEmpty : rule.bEmpty && bEmpty;
}

}  // namespace

SGrammarRead ReadRngGrammar(const QString& strPath)
{
    SGrammarRead read;
    CRngReader reader;
    read.strError = reader.Read(strPath, read.model);
    return read;
}
