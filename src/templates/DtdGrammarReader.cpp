#include "DtdGrammarReader.h"

#include "NetworkGuard.h"
#include "XmlErrorCollector.h"
#include "XmlPtr.h"

#include <QFile>
#include <algorithm>
#include <set>

#include <libxml/parser.h>
#include <libxml/valid.h>

namespace {

using DtdPtr = TXmlPtr<xmlDtd, xmlFreeDtd>;

std::string QualifiedName(const xmlChar* prefix, const xmlChar* name)
{
    std::string text;
    if (prefix)
        text.append(reinterpret_cast<const char*>(prefix)).append(":");
    if (name)
        text.append(reinterpret_cast<const char*>(name));
    return text;
}

// Every element name a content model mentions, in the order written.
void CollectContentNames(const xmlElementContent* content, std::vector<std::string>& names)
{
    std::vector<const xmlElementContent*> pending{content};
    while (!pending.empty()) {
        const xmlElementContent* node = pending.back();
        pending.pop_back();
        if (!node)
            continue;
        if (node->type == XML_ELEMENT_CONTENT_ELEMENT) {
            SGrammarModel::AddOnce(names, QualifiedName(node->prefix, node->name));
            continue;
        }
        pending.push_back(node->c2);
        pending.push_back(node->c1);
    }
}

void AddElement(const xmlElement& decl, SGrammarModel& model, std::vector<std::string>& declared,
                std::set<std::string>& named)
{
    const std::string name = QualifiedName(decl.prefix, decl.name);
    SGrammarModel::AddOnce(declared, name);
    SElementRule& rule = model.Rule(name);
    rule.bEmpty = decl.etype == XML_ELEMENT_TYPE_EMPTY;
    CollectContentNames(decl.content, rule.children);
    // An element that only contains itself (a set of sets) can still be the document element.
    for (const std::string& child : rule.children) {
        if (child != name)
            named.insert(child);
    }
}

void AddAttribute(const xmlAttribute& decl, SGrammarModel& model)
{
    if (!decl.elem)
        return;
    SElementRule& rule = model.Rule(reinterpret_cast<const char*>(decl.elem));
    const std::string name = QualifiedName(decl.prefix, decl.name);
    SGrammarModel::AddOnce(rule.attributes, name);
    if (decl.def == XML_ATTRIBUTE_REQUIRED)
        SGrammarModel::AddOnce(rule.requiredAttributes, name);
}

}  // namespace

SGrammarModel DtdGrammarModel(const xmlDtd& dtd)
{
    SGrammarModel model;
    std::vector<std::string> declared;
    std::set<std::string> named;
    std::vector<std::string> anyElements;
    for (const xmlNode* node = dtd.children; node; node = node->next) {
        if (node->type == XML_ELEMENT_DECL) {
            const auto& decl = *reinterpret_cast<const xmlElement*>(node);
            AddElement(decl, model, declared, named);
            if (decl.etype == XML_ELEMENT_TYPE_ANY)
                anyElements.push_back(QualifiedName(decl.prefix, decl.name));
        } else if (node->type == XML_ATTRIBUTE_DECL) {
            AddAttribute(*reinterpret_cast<const xmlAttribute*>(node), model);
        }
    }
    for (const std::string& name : anyElements)
        model.Rule(name).children = declared;
    for (const std::string& name : declared) {
        if (named.count(name) == 0)
            model.roots.push_back(name);
    }
    if (model.roots.empty() && !declared.empty())
        model.roots.push_back(declared.front());
    // Attribute lists of undeclared elements made rules of their own; they are no elements.
    for (auto it = model.elements.begin(); it != model.elements.end();) {
        const bool bDeclared =
            std::find(declared.begin(), declared.end(), it->first) != declared.end();
        it = bDeclared ? std::next(it) : model.elements.erase(it);
    }
    return model;
}

SGrammarRead ReadDtdGrammar(const QString& strPath)
{
    SGrammarRead read;
    InstallNetworkGuard();
    CXmlErrorCollector errors;
    const QByteArray path = QFile::encodeName(strPath);
    DtdPtr dtd(xmlParseDTD(nullptr, reinterpret_cast<const xmlChar*>(path.constData())));
    const QStringList refused = TakeRefusedResources();
    if (!dtd) {
        const QString strReason =
            !refused.isEmpty() ? NetworkRefusalSentence(QStringLiteral("file"), refused.first())
            : errors.Issues().isEmpty() ? QStringLiteral("it is not a DTD.")
                                        : errors.FirstMessage();
        read.strError = QStringLiteral("Failed to read the DTD %1: %2").arg(strPath, strReason);
        return read;
    }
    read.model = DtdGrammarModel(*dtd);
    if (read.model.elements.empty())
        read.strError =
            QStringLiteral("Failed to read the DTD %1: it declares no elements.").arg(strPath);
    return read;
}
