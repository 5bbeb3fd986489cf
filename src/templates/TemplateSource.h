// Loads what the user chose as a template: a template file, or a grammar (DTD, XML Schema,
// RELAX NG) turned into a template tree. The kind is told by the content, not the name.
#pragma once

#include "GrammarModel.h"
#include "TemplateTree.h"

#include <QString>
#include <memory>

struct TemplateNode;

struct STemplateLoad
{
    std::unique_ptr<TemplateNode> root;  // null on failure
    QString strError;                    // why not, naming the file
    QString strGrammarKind;              // "DTD", "XML Schema", "RELAX NG"; empty for a template
    SGrammarModel model;                 // the grammar's rules; empty for a template file
};

// Loads `strPath`; on success the tree's items are inserted into `tree` (may be null).
STemplateLoad LoadTemplateSource(const QString& strPath, ITemplateTree* tree);

// The tree of a grammar already read, for `LoadTemplateSource` and the tests.
STemplateLoad TemplateFromGrammar(SGrammarModel model, const QString& strKind);
