#include "TemplateWriter.h"

#include "DocumentFile.h"
#include "TemplateNode.h"

#include <QByteArray>

namespace {

std::string Escaped(const std::string& value)
{
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '"':
            out += "&quot;";
            break;
        // Kept as references so that the loader's value normalisation gives them back.
        case '\t':
            out += "&#9;";
            break;
        case '\n':
            out += "&#10;";
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

void WriteStartTag(const TemplateNode& node, std::string& out)
{
    out.append("<").append(node.name);
    for (const auto& [name, value] : SplitAttributeText(node.attributes))
        out.append(" ").append(name).append("=\"").append(Escaped(value)).append("\"");
    if (node.single)
        out.append(" tarn:single=\"yes\"");
    out.append(node.childCount > 0 ? ">\n" : "/>\n");
}

// Pre-order with an explicit stack: a deep template must not exhaust the call stack.
void WriteTree(const TemplateNode& top, int baseDepth, std::string& out)
{
    struct SStep
    {
        const TemplateNode* node;
        int depth;
        bool bClose;
    };
    std::vector<SStep> steps{{&top, baseDepth, false}};
    while (!steps.empty()) {
        const SStep step = steps.back();
        steps.pop_back();
        out.append(static_cast<std::size_t>(step.depth) * 2, ' ');
        if (step.bClose) {
            out.append("</").append(step.node->endName).append(">\n");
            continue;
        }
        WriteStartTag(*step.node, out);
        if (step.node->childCount == 0)
            continue;
        steps.push_back({step.node, step.depth, true});
        for (std::int32_t i = step.node->childCount; i-- > 0;)
            steps.push_back({step.node->children[i], step.depth + 1, false});
    }
}

}  // namespace

std::string TemplateFileText(const TemplateNode& root)
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    if (root.childCount == 1) {
        WriteTree(*root.children[0], 0, out);
        return out;
    }
    out.append("<").append(kTemplatesElement).append(">\n");
    for (std::int32_t i = 0; i < root.childCount; ++i)
        WriteTree(*root.children[i], 1, out);
    out.append("</").append(kTemplatesElement).append(">\n");
    return out;
}

QString SaveTemplateFile(const TemplateNode& root, const QString& path)
{
    const std::string text = TemplateFileText(root);
    QString error;
    if (!SaveDocumentFile(path, QByteArray(text.data(), static_cast<qsizetype>(text.size())),
                          error))
        return error;
    return QString();
}

std::vector<std::pair<std::string, std::string>> SplitAttributeText(const std::string& text)
{
    // Each entry is name="value" and one blank. A value may itself hold `" `, so a value ends
    // only where `" ` is followed by the end or by the next `name="`.
    std::vector<std::pair<std::string, std::string>> pairs;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t eq = text.find("=\"", pos);
        if (eq == std::string::npos)
            break;
        std::size_t end = text.find("\" ", eq + 2);
        while (end != std::string::npos && end + 2 < text.size()) {
            const std::size_t nextEq = text.find("=\"", end + 2);
            const std::size_t nextBlank = text.find_first_of(" \"=", end + 2);
            if (nextEq != std::string::npos && nextBlank == nextEq)
                break;
            end = text.find("\" ", end + 1);
        }
        if (end == std::string::npos)
            end = text.size() - 1;
        pairs.emplace_back(text.substr(pos, eq - pos), text.substr(eq + 2, end - eq - 2));
        pos = end + 2;
    }
    return pairs;
}
