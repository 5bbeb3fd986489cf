// Finds the grammar a document names: its DOCTYPE, an <?xml-model?> instruction, or
// xsi:schemaLocation / xsi:noNamespaceSchemaLocation on its root; and tells a grammar file's
// kind from its content.
#pragma once

#include "ValidationResult.h"

#include <QMap>

#include <libxml/tree.h>

struct SGrammarRef
{
    EGrammarKind kind = EGrammarKind::None;
    QString strLocation;  // resolved against the document; empty for an internal DTD subset only
    QString strProblem;   // a grammar is named but cannot be used (compact syntax, say)
};

// In that order: DOCTYPE, xml-model, xsi attributes.
SGrammarRef LocateDocumentGrammar(const xmlDoc& doc);

// XSD or RELAX NG by the root element's namespace; anything else is taken as a DTD.
EGrammarKind GrammarKindOfFile(const QString& strPath);

// The pseudo-attributes of a processing instruction's content: href="a" type='b'.
QMap<QString, QString> PseudoAttributes(const QString& strContent);

// `strHref` resolved against the document's address.
QString ResolveAgainst(const QString& strHref, const xmlDoc& doc);

// "DTD", "XML Schema", "RELAX NG".
QString GrammarKindName(EGrammarKind kind);
