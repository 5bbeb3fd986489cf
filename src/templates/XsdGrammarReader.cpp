#include "XsdGrammarReader.h"

#include "SchemaNodes.h"

#include <map>
#include <set>

namespace {

const char kXs[] = "http://www.w3.org/2001/XMLSchema";

bool IsXs(const xmlNode* node, const char* local)
{
    return IsSchemaElement(node, kXs, local);
}

class CXsdReader
{
public:
    QString Read(const QString& strPath, SGrammarModel& model);

private:
    bool Collect(const QString& strPath, QString& strError);
    void CollectTopLevel(const xmlDoc& doc, const xmlNode* schema, QString& strError);
    void WalkElement(const xmlNode* decl);
    void WalkType(const xmlNode* type, SElementRule& rule, bool& bContent, int depth);
    void WalkParticles(const xmlNode* node, SElementRule& rule, bool& bContent, int depth);
    void WalkAttributes(const xmlNode* node, SElementRule& rule, int depth);
    void AddChild(const std::string& name, SElementRule& rule);
    const xmlNode* Named(const std::map<std::string, const xmlNode*>& table,
                         const std::string& qualified) const;

    SGrammarModel* m_pModel = nullptr;
    std::vector<XmlDocPtr> m_docs;
    std::set<QString> m_readPaths;
    std::vector<const xmlNode*> m_globalOrder;
    std::map<std::string, const xmlNode*> m_elements, m_types, m_groups, m_attributeGroups;
    std::map<std::string, std::vector<std::string>> m_substitutes;  // head -> members
    std::set<const xmlNode*> m_walked;
    std::vector<const xmlNode*> m_pending;
    std::set<std::string> m_seen;  // element names whose emptiness was decided once
};

// Groups and types that refer to themselves stop here instead of looping.
constexpr int kMaxReferenceDepth = 64;

QString CXsdReader::Read(const QString& strPath, SGrammarModel& model)
{
    m_pModel = &model;
    QString strError;
    if (!Collect(strPath, strError))
        return strError;
    for (const xmlNode* decl : m_globalOrder) {
        if (AttributeOf(decl, "abstract") != "true")
            model.roots.push_back(AttributeOf(decl, "name"));
        m_pending.push_back(decl);
    }
    while (!m_pending.empty()) {
        const xmlNode* decl = m_pending.back();
        m_pending.pop_back();
        if (m_walked.insert(decl).second)
            WalkElement(decl);
    }
    if (model.elements.empty())
        return QStringLiteral("Failed to read the XML Schema %1: it declares no elements.")
            .arg(strPath);
    return QString();
}

bool CXsdReader::Collect(const QString& strPath, QString& strError)
{
    if (!m_readPaths.insert(strPath).second)
        return true;
    XmlDocPtr doc = ReadSchemaDocument(strPath, strError);
    if (!doc)
        return false;
    const xmlNode* schema = xmlDocGetRootElement(doc.get());
    if (!IsXs(schema, "schema")) {
        strError = QStringLiteral("Failed to read %1: it is not an XML Schema.").arg(strPath);
        return false;
    }
    m_docs.push_back(std::move(doc));
    CollectTopLevel(*m_docs.back(), schema, strError);
    return strError.isEmpty();
}

void CXsdReader::CollectTopLevel(const xmlDoc& doc, const xmlNode* schema, QString& strError)
{
    for (const xmlNode* node : ElementChildren(schema)) {
        const std::string name = AttributeOf(node, "name");
        if (IsXs(node, "element") && !name.empty()) {
            if (m_elements.emplace(name, node).second)
                m_globalOrder.push_back(node);
            const std::string head = AttributeOf(node, "substitutionGroup");
            if (!head.empty())
                m_substitutes[LocalNameOf(head)].push_back(name);
        } else if (IsXs(node, "complexType") || IsXs(node, "simpleType")) {
            m_types.emplace(name, node);
        } else if (IsXs(node, "group")) {
            m_groups.emplace(name, node);
        } else if (IsXs(node, "attributeGroup")) {
            m_attributeGroups.emplace(name, node);
        } else if (IsXs(node, "include") || IsXs(node, "import") || IsXs(node, "redefine")) {
            const std::string location = AttributeOf(node, "schemaLocation");
            if (!location.empty() && !Collect(SchemaHrefPath(doc, location), strError))
                return;
            if (IsXs(node, "redefine"))
                CollectTopLevel(doc, node, strError);
        }
    }
}

const xmlNode* CXsdReader::Named(const std::map<std::string, const xmlNode*>& table,
                                 const std::string& qualified) const
{
    const auto it = table.find(LocalNameOf(qualified));
    return it == table.end() ? nullptr : it->second;
}

void CXsdReader::WalkElement(const xmlNode* decl)
{
    const std::string name = AttributeOf(decl, "name");
    SElementRule& rule = m_pModel->Rule(name);
    bool bContent = false;
    const std::string type = AttributeOf(decl, "type");
    const xmlNode* inlineType = nullptr;
    for (const xmlNode* child : ElementChildren(decl)) {
        if (IsXs(child, "complexType") || IsXs(child, "simpleType"))
            inlineType = child;
    }
    if (inlineType)
        WalkType(inlineType, rule, bContent, 0);
    else if (const xmlNode* named = Named(m_types, type))
        WalkType(named, rule, bContent, 0);
    else
        bContent = true;  // a built-in simple type, or no type at all (anything goes)
    const bool bEmpty = !bContent;
    rule.bEmpty = m_seen.insert(name).second ? bEmpty : rule.bEmpty && bEmpty;
}

void CXsdReader::WalkType(const xmlNode* type, SElementRule& rule, bool& bContent, int depth)
{
    if (depth > kMaxReferenceDepth)
        return;
    if (IsXs(type, "simpleType") || AttributeOf(type, "mixed") == "true") {
        bContent = true;
        if (IsXs(type, "simpleType"))
            return;
    }
    for (const xmlNode* child : ElementChildren(type)) {
        if (IsXs(child, "simpleContent")) {
            bContent = true;
            for (const xmlNode* derivation : ElementChildren(child))
                WalkAttributes(derivation, rule, depth + 1);
        } else if (IsXs(child, "complexContent")) {
            if (AttributeOf(child, "mixed") == "true")
                bContent = true;
            for (const xmlNode* derivation : ElementChildren(child)) {
                const xmlNode* base = Named(m_types, AttributeOf(derivation, "base"));
                if (IsXs(derivation, "extension") && base)
                    WalkType(base, rule, bContent, depth + 1);
                WalkType(derivation, rule, bContent, depth + 1);
            }
        } else {
            WalkParticles(child, rule, bContent, depth + 1);
            WalkAttributes(child, rule, depth + 1);
        }
    }
}

void CXsdReader::WalkParticles(const xmlNode* node, SElementRule& rule, bool& bContent, int depth)
{
    if (depth > kMaxReferenceDepth)
        return;
    if (IsXs(node, "element")) {
        bContent = true;
        const std::string ref = AttributeOf(node, "ref");
        if (ref.empty()) {
            AddChild(AttributeOf(node, "name"), rule);
            m_pending.push_back(node);
        } else {
            AddChild(LocalNameOf(ref), rule);
        }
    } else if (IsXs(node, "any")) {
        bContent = true;
    } else if (IsXs(node, "group")) {
        const xmlNode* group = Named(m_groups, AttributeOf(node, "ref"));
        for (const xmlNode* child : ElementChildren(group ? group : node))
            WalkParticles(child, rule, bContent, depth + 1);
    } else if (IsXs(node, "sequence") || IsXs(node, "choice") || IsXs(node, "all")) {
        for (const xmlNode* child : ElementChildren(node))
            WalkParticles(child, rule, bContent, depth + 1);
    }
}

void CXsdReader::WalkAttributes(const xmlNode* node, SElementRule& rule, int depth)
{
    if (depth > kMaxReferenceDepth)
        return;
    if (IsXs(node, "attribute")) {
        const std::string ref = AttributeOf(node, "ref");
        // A referenced attribute keeps its prefix: xml:lang stays xml:lang.
        const std::string name = ref.empty() ? AttributeOf(node, "name") : ref;
        if (name.empty() || AttributeOf(node, "use") == "prohibited")
            return;
        SGrammarModel::AddOnce(rule.attributes, name);
        if (AttributeOf(node, "use") == "required")
            SGrammarModel::AddOnce(rule.requiredAttributes, name);
    } else if (IsXs(node, "attributeGroup")) {
        const xmlNode* group = Named(m_attributeGroups, AttributeOf(node, "ref"));
        for (const xmlNode* child : ElementChildren(group ? group : node))
            WalkAttributes(child, rule, depth + 1);
    } else if (IsXs(node, "extension") || IsXs(node, "restriction")) {
        for (const xmlNode* child : ElementChildren(node))
            WalkAttributes(child, rule, depth + 1);
    }
}

void CXsdReader::AddChild(const std::string& name, SElementRule& rule)
{
    // An element stands for the members of its substitution group too; an abstract one only
    // for them.
    std::vector<std::string> pending{name};
    std::set<std::string> done;
    while (!pending.empty()) {
        const std::string current = pending.back();
        pending.pop_back();
        if (!done.insert(current).second)
            continue;
        const xmlNode* global = Named(m_elements, current);
        if (!global || AttributeOf(global, "abstract") != "true")
            SGrammarModel::AddOnce(rule.children, current);
        const auto members = m_substitutes.find(current);
        if (members != m_substitutes.end())
            pending.insert(pending.end(), members->second.rbegin(), members->second.rend());
    }
}

}  // namespace

SGrammarRead ReadXsdGrammar(const QString& strPath)
{
    SGrammarRead read;
    CXsdReader reader;
    read.strError = reader.Read(strPath, read.model);
    return read;
}
