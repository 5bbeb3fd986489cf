#include "TemplateSource.h"

#include "DtdGrammarReader.h"
#include "GrammarLocator.h"
#include "RngGrammarReader.h"
#include "TemplateBuilder.h"
#include "TemplateNode.h"
#include "TemplateParser.h"
#include "XsdGrammarReader.h"

#include <QFileInfo>

namespace {

STemplateLoad FromRead(SGrammarRead read, const QString& strKind)
{
    if (!read.strError.isEmpty()) {
        STemplateLoad load;
        load.strError = read.strError;
        return load;
    }
    return TemplateFromGrammar(std::move(read.model), strKind);
}

}  // namespace

STemplateLoad TemplateFromGrammar(SGrammarModel model, const QString& strKind)
{
    STemplateLoad load;
    load.root.reset(BuildTemplateTree(model));
    load.strGrammarKind = strKind;
    load.model = std::move(model);
    return load;
}

STemplateLoad LoadTemplateSource(const QString& strPath, ITemplateTree* tree)
{
    STemplateLoad load;
    // A pipe or a device is never waited for: the template loader refuses it with its message.
    const bool bRegular = QFileInfo(strPath).isFile();
    const EGrammarKind kind = bRegular ? GrammarKindOfFile(strPath) : EGrammarKind::None;
    if (kind == EGrammarKind::XmlSchema)
        load = FromRead(ReadXsdGrammar(strPath), GrammarKindName(kind));
    else if (kind == EGrammarKind::RelaxNg)
        load = FromRead(ReadRngGrammar(strPath), GrammarKindName(kind));
    if (kind == EGrammarKind::XmlSchema || kind == EGrammarKind::RelaxNg) {
        if (load.root)
            CTemplateParser::InsertTopLevel(*load.root, tree);
        return load;
    }
    CTemplateParser parser;
    load.root.reset(parser.LoadFile(strPath, tree));
    if (load.root)
        return load;
    // Not XML: a DTD, or a template that is broken. A file that is neither gets the template
    // loader's message, which says where the XML went wrong.
    load.strError = parser.ErrorMessage();
    if (!bRegular)
        return load;
    SGrammarRead dtd = ReadDtdGrammar(strPath);
    if (!dtd.strError.isEmpty())
        return load;
    load = TemplateFromGrammar(std::move(dtd.model), GrammarKindName(EGrammarKind::Dtd));
    CTemplateParser::InsertTopLevel(*load.root, tree);
    return load;
}
