// Loads a template file into a tree of TemplateNode records and fills the tree pane.
#pragma once

#include "TemplateFrame.h"
#include "TemplateTree.h"

#include <QString>
#include <expat.h>
#include <vector>

class QFile;
struct TemplateNode;

class CTemplateParser
{
public:
    // Deepest element nesting a template may have (the document element is level 1).
    static constexpr int kMaxDepth = 1000;

    CTemplateParser();
    virtual ~CTemplateParser();
    CTemplateParser(const CTemplateParser&) = delete;
    CTemplateParser& operator=(const CTemplateParser&) = delete;

    // The root of the new tree (its children are the top-level templates: the document element,
    // or the children of a kTemplatesElement document element), owned by the
    // caller, or null with ErrorMessage() saying why. `tree` may be null: then no items are
    // inserted.
    TemplateNode* LoadFile(const QString& path, ITemplateTree* tree);
    // Why the last LoadFile failed, as the user is told; empty after a success.
    const QString& ErrorMessage() const { return m_strError; }

    // Inserts every top-level node of a loaded tree with its descendants, in order.
    static void InsertTopLevel(const TemplateNode& root, ITemplateTree* tree);
    // A document element named kTemplatesElement only holds templates: its children become the
    // root's own.
    static void HoistTemplatesElement(TemplateNode* root);

    // Inserts `node` and its descendants as items under `parent`, in file order.
    static void InsertIntoTree(TemplateNode* node, ITemplateTree* tree, ITemplateTree::Item parent);

    static void XMLCALL OnStartElement(void* userData, const XML_Char* name,
                                       const XML_Char** attributeList);
    static void XMLCALL OnEndElement(void* userData, const XML_Char* name);

    // Fills `attributes` and `single` of `node` from expat's name/value list.
    static void ReadAttributes(const XML_Char** attributeList, TemplateNode* node);

private:
    void StartElement(const XML_Char* name, const XML_Char** attributeList);
    void EndElement(const XML_Char* name);
    bool Parse(XML_Parser parser, QFile& file);
    void ReportParseError(XML_Parser parser);
    void DestroyAll();

    int depth = 0;                      // frame of the innermost open element
    std::vector<TemplateFrame> frames;  // frame 0 holds the root

    XML_Parser m_parser = nullptr;  // valid during Parse only
    QString m_strPath;
    QString m_strError;
    bool m_bTooDeep = false;
    int m_nTooDeepLine = 0;
};
