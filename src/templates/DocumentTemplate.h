// A template made from the elements a document uses: which element holds which, each with the
// attribute names of its first occurrence, in one forward pass of the markup scanner.
#pragma once

#include "GrammarModel.h"
#include "JobProgress.h"

#include <string>

class IStyledText;

struct SDocumentElements
{
    SGrammarModel model;  // roots: the document element(s); single: only ever written empty
    bool bCancelled = false;
};

// Reads `text` once, in chunks, telling `progress` how far it got; a cancel stops it.
SDocumentElements ScanDocumentElements(const IStyledText& text, const JobProgress& progress);

// The attribute names of a start tag's bytes `<name a="1" b='2'>`, in order.
std::vector<std::string> AttributeNamesOfTag(const std::string& tag);
