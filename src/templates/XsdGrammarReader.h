// Reads an XML Schema document (and the local schemas it includes or imports) into element
// rules. The schema is read as an ordinary XML tree: libxml2's compiled schema is not public.
#pragma once

#include "GrammarRead.h"

// Every global element that is not abstract is a possible document element.
SGrammarRead ReadXsdGrammar(const QString& strPath);
