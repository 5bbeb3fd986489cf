#include "XmlValidator.h"

#include "GrammarLocator.h"
#include "NetworkGuard.h"
#include "XmlDocReader.h"
#include "XmlErrorCollector.h"

#include <QFileInfo>

#include <libxml/relaxng.h>
#include <libxml/valid.h>
#include <libxml/xmlschemas.h>

namespace {

using DtdPtr = TXmlPtr<xmlDtd, xmlFreeDtd>;
using ValidCtxtPtr = TXmlPtr<xmlValidCtxt, xmlFreeValidCtxt>;
using SchemaParserPtr = TXmlPtr<xmlSchemaParserCtxt, xmlSchemaFreeParserCtxt>;
using SchemaPtr = TXmlPtr<xmlSchema, xmlSchemaFree>;
using SchemaValidPtr = TXmlPtr<xmlSchemaValidCtxt, xmlSchemaFreeValidCtxt>;
using RngParserPtr = TXmlPtr<xmlRelaxNGParserCtxt, xmlRelaxNGFreeParserCtxt>;
using RngPtr = TXmlPtr<xmlRelaxNG, xmlRelaxNGFree>;
using RngValidPtr = TXmlPtr<xmlRelaxNGValidCtxt, xmlRelaxNGFreeValidCtxt>;

// The DTD is checked while reading, as xmllint --valid does: one pass, exact lines and columns.
constexpr int kDocumentOptions =
    kSafeParseOptions | XML_PARSE_DTDLOAD | XML_PARSE_DTDATTR | XML_PARSE_DTDVALID;

bool IsCancelled(const std::atomic_bool* pCancel)
{
    return pCancel && pCancel->load(std::memory_order_relaxed);
}

SValidationResult CannotCheck(const QString& strMessage)
{
    SValidationResult result;
    result.validity = EValidity::CannotCheck;
    result.strMessage = strMessage;
    return result;
}

// Why a grammar at `strLocation` cannot be used, or empty when it is a readable local file.
QString UnreachableGrammar(EGrammarKind kind, const QString& strLocation)
{
    const QString strWhat = QStringLiteral("grammar");
    if (IsNetworkLocation(strLocation))
        return NetworkRefusalSentence(strWhat, strLocation);
    const QString strPath = LocalPathOf(strLocation);
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("The %1 %2 cannot be read: %3.")
            .arg(GrammarKindName(kind), strPath, file.errorString());
    return QString();
}

QString BrokenGrammar(EGrammarKind kind, const QString& strLocation, const QString& strFirstError)
{
    const QStringList refused = TakeRefusedResources();
    if (!refused.isEmpty())
        return NetworkRefusalSentence(QStringLiteral("grammar"), refused.first());
    return QStringLiteral("The %1 %2 cannot be used: %3")
        .arg(GrammarKindName(kind), LocalPathOf(strLocation), strFirstError);
}

// 0 valid, positive invalid, negative when the grammar itself failed.
int ValidateWithDtd(xmlDoc& doc, const QString& strChosenDtd)
{
    ValidCtxtPtr context(xmlNewValidCtxt());
    const QByteArray path = QFile::encodeName(strChosenDtd);
    DtdPtr dtd(xmlParseDTD(nullptr, reinterpret_cast<const xmlChar*>(path.constData())));
    if (!dtd)
        return -1;
    return xmlValidateDtd(context.get(), &doc, dtd.get()) ? 0 : 1;
}

int ValidateWithSchema(xmlDoc& doc, const QByteArray& location)
{
    SchemaParserPtr parser(xmlSchemaNewParserCtxt(location.constData()));
    SchemaPtr schema(parser ? xmlSchemaParse(parser.get()) : nullptr);
    if (!schema)
        return -1;
    SchemaValidPtr context(xmlSchemaNewValidCtxt(schema.get()));
    const int nResult = xmlSchemaValidateDoc(context.get(), &doc);
    return nResult < 0 ? -1 : nResult;
}

int ValidateWithRelaxNg(xmlDoc& doc, const QByteArray& location)
{
    RngParserPtr parser(xmlRelaxNGNewParserCtxt(location.constData()));
    RngPtr grammar(parser ? xmlRelaxNGParse(parser.get()) : nullptr);
    if (!grammar)
        return -1;
    RngValidPtr context(xmlRelaxNGNewValidCtxt(grammar.get()));
    const int nResult = xmlRelaxNGValidateDoc(context.get(), &doc);
    return nResult < 0 ? -1 : nResult;
}

SGrammarRef ChosenGrammar(const QString& strPath)
{
    SGrammarRef ref;
    ref.strLocation = QFileInfo(strPath).absoluteFilePath();
    ref.kind = GrammarKindOfFile(ref.strLocation);
    if (ref.kind == EGrammarKind::None)
        ref.kind = EGrammarKind::Dtd;  // unreadable: the check below names the reason
    return ref;
}

QString NoGrammarSentence(const QString& strDocumentPath)
{
    const QString strName = strDocumentPath.isEmpty() ? QStringLiteral("The document")
                                                      : QFileInfo(strDocumentPath).fileName();
    return QStringLiteral("%1 names no grammar: no DOCTYPE, no xml-model and no "
                          "xsi:schemaLocation.")
        .arg(strName);
}

// The DOCTYPE named an external subset that did not load.
QString MissingExternalSubset(const xmlDoc& doc, const SGrammarRef& ref)
{
    if (ref.strLocation.isEmpty() || doc.extSubset)
        return QString();
    const QStringList refused = TakeRefusedResources();
    if (!refused.isEmpty())
        return NetworkRefusalSentence(QStringLiteral("grammar"), refused.first());
    const QString strProblem = UnreachableGrammar(EGrammarKind::Dtd, ref.strLocation);
    return strProblem.isEmpty()
               ? QStringLiteral("The DTD %1 could not be read.").arg(LocalPathOf(ref.strLocation))
               : strProblem;
}

int RunGrammar(xmlDoc& doc, const SGrammarRef& ref)
{
    const QByteArray location = ref.strLocation.toUtf8();
    switch (ref.kind) {
    case EGrammarKind::Dtd:
        return ValidateWithDtd(doc, LocalPathOf(ref.strLocation));
    case EGrammarKind::XmlSchema:
        return ValidateWithSchema(doc, location);
    case EGrammarKind::RelaxNg:
        return ValidateWithRelaxNg(doc, location);
    case EGrammarKind::None:
        break;
    }
    return -1;
}

SValidationResult ValidateTree(const SXmlReadOutcome& read, const SValidationRequest& request,
                               CXmlErrorCollector& errors, const std::atomic_bool* pCancel)
{
    xmlDoc& doc = *read.doc;
    const bool bChosen = !request.strGrammarPath.isEmpty();
    const SGrammarRef ref =
        bChosen ? ChosenGrammar(request.strGrammarPath) : LocateDocumentGrammar(doc);
    if (ref.kind == EGrammarKind::None)
        return CannotCheck(NoGrammarSentence(request.strDocumentPath));
    if (!ref.strProblem.isEmpty())
        return CannotCheck(ref.strProblem);
    const QString strUnreachable = ref.kind == EGrammarKind::Dtd && !bChosen
                                       ? MissingExternalSubset(doc, ref)
                                       : UnreachableGrammar(ref.kind, ref.strLocation);
    if (!strUnreachable.isEmpty())
        return CannotCheck(strUnreachable);
    SValidationResult result;
    result.grammarKind = ref.kind;
    result.strGrammar = LocalPathOf(ref.strLocation);
    if (ref.kind == EGrammarKind::Dtd && !bChosen) {
        result.issues = errors.TakeIssues();
        result.validity =
            read.bValid && result.issues.isEmpty() ? EValidity::Valid : EValidity::Invalid;
        return result;
    }
    if (IsCancelled(pCancel))
        return {EValidity::Cancelled, {}, {}, ref.kind, ref.strLocation};
    errors.TakeIssues();  // what reading said of a DTD the grammar replaces
    const int nResult = RunGrammar(doc, ref);
    if (nResult < 0) {
        // The grammar's own errors point into the grammar, not the document: one sentence.
        result.strMessage = BrokenGrammar(ref.kind, ref.strLocation, errors.FirstMessage());
        return result;
    }
    result.issues = errors.TakeIssues();
    result.validity = nResult == 0 ? EValidity::Valid : EValidity::Invalid;
    return result;
}

}  // namespace

SValidationResult ValidateXmlText(const SValidationRequest& request,
                                  const std::atomic_bool* pCancel)
{
    InstallNetworkGuard();
    TakeRefusedResources();
    CXmlErrorCollector errors;
    errors.SetDocumentFile(QFile::encodeName(DocumentBasePath(request.strDocumentPath)));
    SXmlReadOutcome read =
        ReadXmlText(request.text, request.strDocumentPath, kDocumentOptions, pCancel);
    if (read.bCancelled)
        return {EValidity::Cancelled, {}, {}, EGrammarKind::None, {}};
    if (!read.doc) {
        SValidationResult result;
        result.validity = EValidity::Invalid;
        result.issues = errors.TakeIssues();
        return result;
    }
    SValidationResult result = ValidateTree(read, request, errors, pCancel);
    TakeRefusedResources();
    return result;
}
