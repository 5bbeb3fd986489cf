#include "TemplateParser.h"

#include "DocumentFile.h"
#include "TemplateLabels.h"
#include "TemplateNode.h"
#include "TemplateWriter.h"
#include "XmlParserPtr.h"

#include <QFile>
#include <cstring>
#include <memory>
#include <utility>

namespace {

constexpr qint64 kChunkSize = 512;
constexpr char kDirectivePrefix[] = "tarn:";
constexpr char kSingleDirective[] = "tarn:single";

}  // namespace

CTemplateParser::CTemplateParser() = default;

CTemplateParser::~CTemplateParser()
{
    DestroyAll();
}

TemplateNode* CTemplateParser::LoadFile(const QString& path, ITemplateTree* tree)
{
    m_strError.clear();
    QFile file(path);
    QString strReason;
    if (!OpenDocumentFile(file, strReason)) {
        m_strError = QStringLiteral("Failed to open file %1. Aborted!\n").arg(path);
        return nullptr;
    }
    XmlParserPtr parser(XML_ParserCreate(nullptr));
    if (!parser) {
        m_strError = QStringLiteral("Failed to load template file %1: out of memory.\n").arg(path);
        return nullptr;
    }
    DestroyAll();
    m_strPath = path;
    m_bTooDeep = false;
    frames.assign(1, TemplateFrame());
    frames[0].Reset(new TemplateNode);
    XML_SetUserData(parser.get(), this);
    XML_SetElementHandler(parser.get(), OnStartElement, OnEndElement);

    const bool bLoaded = Parse(parser.get(), file);
    if (!bLoaded) {
        DestroyAll();
        return nullptr;
    }
    TemplateNode* root = frames[0].node;
    frames[0].node = nullptr;
    HoistTemplatesElement(root);
    InsertTopLevel(*root, tree);
    return root;
}

bool CTemplateParser::Parse(XML_Parser parser, QFile& file)
{
    m_parser = parser;
    char buffer[kChunkSize];
    bool bOk = true;
    for (;;) {
        const qint64 nRead = file.read(buffer, kChunkSize);
        if (nRead < 0) {
            // Passing a read error on as the end of the file could load half a template.
            m_strError = QStringLiteral("Failed to read template file %1: %2\n")
                             .arg(m_strPath, file.errorString());
            bOk = false;
            break;
        }
        const bool bFinal = nRead < kChunkSize;
        if (XML_Parse(parser, buffer, static_cast<int>(nRead), bFinal) == XML_STATUS_ERROR) {
            ReportParseError(parser);
            bOk = false;
            break;
        }
        if (bFinal)
            break;
    }
    m_parser = nullptr;
    return bOk;
}

void CTemplateParser::ReportParseError(XML_Parser parser)
{
    if (m_bTooDeep) {
        // One multi-argument arg(): a path holding "%2" must not take the next argument.
        m_strError =
            QStringLiteral("Failed to load template file %1: elements are nested "
                           "deeper than %2 levels (line %3).\n")
                .arg(m_strPath, QString::number(kMaxDepth), QString::number(m_nTooDeepLine));
        return;
    }
    const auto nLine = static_cast<qulonglong>(XML_GetCurrentLineNumber(parser));
    const XML_Error error = XML_GetErrorCode(parser);
    m_strError = QStringLiteral("%1 at line %2\n")
                     .arg(QString::fromUtf8(XML_ErrorString(error)), QString::number(nLine));
}

void CTemplateParser::DestroyAll()
{
    // Open elements do not own their finished children yet: free both, innermost first.
    for (auto level = frames.size(); level-- > 0;) {
        frames[level].DestroyChildren();
        delete frames[level].node;
        frames[level].node = nullptr;
    }
    depth = 0;
}

void XMLCALL CTemplateParser::OnStartElement(void* userData, const XML_Char* name,
                                             const XML_Char** attributeList)
{
    static_cast<CTemplateParser*>(userData)->StartElement(name, attributeList);
}

void XMLCALL CTemplateParser::OnEndElement(void* userData, const XML_Char* name)
{
    static_cast<CTemplateParser*>(userData)->EndElement(name);
}

void CTemplateParser::StartElement(const XML_Char* name, const XML_Char** attributeList)
{
    if (m_bTooDeep)
        return;
    if (depth >= kMaxDepth) {
        m_bTooDeep = true;
        m_nTooDeepLine = static_cast<int>(XML_GetCurrentLineNumber(m_parser));
        XML_StopParser(m_parser, XML_FALSE);
        return;
    }
    const auto level = static_cast<std::size_t>(depth) + 1;
    if (frames.size() <= level)
        frames.emplace_back();
    auto* node = new TemplateNode;
    node->parent = frames[level - 1].node;
    frames[level].Reset(node);
    depth = static_cast<int>(level);
    ReadAttributes(attributeList, node);
    node->name = name;
}

void CTemplateParser::EndElement(const XML_Char* name)
{
    // After a stop expat may still report the end of an empty element whose start was refused.
    if (m_bTooDeep || depth <= 0)
        return;
    TemplateFrame& frame = frames[static_cast<std::size_t>(depth)];
    TemplateNode* node = frame.node;
    frame.node = nullptr;
    node->endName = name;
    node->SetChildren(frame);
    --depth;
    frames[static_cast<std::size_t>(depth)].AddChild(node, depth);
}

void CTemplateParser::ReadAttributes(const XML_Char** attributeList, TemplateNode* node)
{
    if (!attributeList)
        return;
    for (const XML_Char** entry = attributeList; *entry; ++entry) {
        if (std::strcmp(*entry, kSingleDirective) == 0)
            node->single = 1;
    }
    const std::size_t nPrefix = sizeof(kDirectivePrefix) - 1;
    for (const XML_Char** pair = attributeList; pair[0]; pair += 2) {
        if (std::strncmp(pair[0], kDirectivePrefix, nPrefix) == 0)
            continue;
        node->attributes.append(pair[0]).append("=\"").append(pair[1]).append("\" ");
    }
}

void CTemplateParser::HoistTemplatesElement(TemplateNode* root)
{
    if (root->childCount != 1 || root->children[0]->name != kTemplatesElement)
        return;
    TemplateNode* holder = root->children[0];
    delete[] root->children;
    root->children = holder->children;
    root->childCount = holder->childCount;
    holder->children = nullptr;
    holder->childCount = 0;
    delete holder;
    for (std::int32_t i = 0; i < root->childCount; ++i)
        root->children[i]->parent = root;
}

void CTemplateParser::InsertTopLevel(const TemplateNode& root, ITemplateTree* tree)
{
    for (std::int32_t i = 0; i < root.childCount; ++i)
        InsertIntoTree(root.children[i], tree, nullptr);
}

void CTemplateParser::InsertIntoTree(TemplateNode* node, ITemplateTree* tree,
                                     ITemplateTree::Item parent)
{
    if (!node || !tree)
        return;
    // Pre-order with an explicit stack, children pushed last-first so they come out in order.
    struct SPending
    {
        TemplateNode* node;
        ITemplateTree::Item parentItem;
        std::string label;
    };
    std::vector<SPending> pending{{node, parent, node->name}};
    while (!pending.empty()) {
        SPending current = std::move(pending.back());
        pending.pop_back();
        ITemplateTree::Item item = tree->InsertItem(current.label, current.parentItem);
        tree->SetItemData(item, current.node);
        std::vector<std::string> labels = ChildLabels(*current.node);
        for (std::int32_t i = current.node->childCount; i-- > 0;)
            pending.push_back({current.node->children[i], item, std::move(labels[i])});
    }
}
