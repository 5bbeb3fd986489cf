// Small readers over a grammar written in XML (XML Schema, RELAX NG) as libxml2 holds it.
#pragma once

#include "XmlDocReader.h"

#include <QString>
#include <string>
#include <vector>

#include <libxml/tree.h>

// True when `node` is an element in namespace `ns` with local name `local`.
bool IsSchemaElement(const xmlNode* node, const char* ns, const char* local);

// The attribute's value, or empty when absent.
std::string AttributeOf(const xmlNode* node, const char* name);

// "xs:string" -> "string", "note" -> "note".
std::string LocalNameOf(const std::string& qualified);

// The element children of `node`, in order.
std::vector<const xmlNode*> ElementChildren(const xmlNode* node);

// Reads the XML file at `strPath` with the network guard; null with `strError` set on failure.
XmlDocPtr ReadSchemaDocument(const QString& strPath, QString& strError);

// `href` resolved against the document's own address, as a local path.
QString SchemaHrefPath(const xmlDoc& doc, const std::string& href);
