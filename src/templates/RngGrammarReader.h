// Reads a RELAX NG schema in XML syntax (and the local grammars it includes) into element rules.
#pragma once

#include "GrammarRead.h"

// The elements the start pattern reaches without passing through another element are the
// possible document elements.
SGrammarRead ReadRngGrammar(const QString& strPath);
