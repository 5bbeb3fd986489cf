// Reads a DTD file's element and attribute declarations into element rules.
#pragma once

#include "GrammarRead.h"

#include <libxml/tree.h>

// Possible document elements are those no other element's content model names (the first
// declared when each is named by another).
SGrammarRead ReadDtdGrammar(const QString& strPath);

// The rules of a DTD libxml2 has parsed (external or internal subset).
SGrammarModel DtdGrammarModel(const xmlDtd& dtd);
