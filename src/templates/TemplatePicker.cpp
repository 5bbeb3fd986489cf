#include "TemplatePicker.h"

#include "TemplateNode.h"
#include "TemplateParser.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <memory>

namespace {

// Enough of a schema or template to see the namespace it declares.
constexpr qint64 kHeadBytes = 8192;

QString Captured(const QRegularExpression& pattern, const QString& text, int group = 1)
{
    const QRegularExpressionMatch match = pattern.match(text);
    return match.hasMatch() ? match.captured(group) : QString();
}

QString FileHead(const QString& strPath)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.read(kHeadBytes));
}

bool DeclaresNamespace(const QString& strPath, const QString& strNamespace)
{
    static const QRegularExpression s_declared(QStringLiteral(
        R"re(\b(?:targetNamespace|ns|xmlns(?::[\w.-]+)?)\s*=\s*["']([^"']*)["'])re"));
    const QString head = FileHead(strPath);
    for (auto it = s_declared.globalMatch(head); it.hasNext();) {
        if (it.next().captured(1) == strNamespace)
            return true;
    }
    return false;
}

bool HasTopLevelElement(const QString& strPath, const QString& strName)
{
    CTemplateParser parser;
    const std::unique_ptr<TemplateNode> root(parser.LoadFile(strPath, nullptr));
    const QByteArray name = strName.toUtf8();
    for (std::int32_t i = 0; root && i < root->childCount; ++i) {
        if (root->children[i]->name == name.toStdString())
            return true;
    }
    return false;
}

}  // namespace

SDocumentIdentity IdentifyDocument(const QByteArray& head)
{
    // Comments and processing instructions may stand before the DOCTYPE and the document element.
    QString text = QString::fromUtf8(head);
    static const QRegularExpression s_skipped(QStringLiteral(R"re(<!--.*?-->|<\?.*?\?>)re"),
                                              QRegularExpression::DotMatchesEverythingOption);
    text.remove(s_skipped);
    static const QRegularExpression s_doctype(QStringLiteral(
        R"re(<!DOCTYPE\s+[^\s>\[]+\s+(?:SYSTEM\s+|PUBLIC\s+["'][^"']*["']\s+)["']([^"']*)["'])re"));
    static const QRegularExpression s_root(QStringLiteral(R"re(<([^\s/>!?]+)([^>]*)>)re"));
    SDocumentIdentity identity;
    identity.strDoctypeSystem = Captured(s_doctype, text);
    const QRegularExpressionMatch root = s_root.match(text);
    if (!root.hasMatch())
        return identity;
    identity.strRootName = root.captured(1);
    const qsizetype colon = identity.strRootName.indexOf(QLatin1Char(':'));
    const QString strAttribute = colon < 0
                                     ? QStringLiteral("xmlns")
                                     : QStringLiteral("xmlns:") + identity.strRootName.left(colon);
    const QRegularExpression xmlns(QStringLiteral(R"re((?:^|\s)%1\s*=\s*["']([^"']*)["'])re")
                                       .arg(QRegularExpression::escape(strAttribute)));
    identity.strNamespace = Captured(xmlns, root.captured(2));
    return identity;
}

STemplatePick PickTemplate(const QString& strFolder, const SDocumentIdentity& identity)
{
    const QDir folder(strFolder);
    const QStringList grammars = folder.entryList(
        {QStringLiteral("*.dtd"), QStringLiteral("*.xsd"), QStringLiteral("*.rng")}, QDir::Files,
        QDir::Name);
    const QStringList templates =
        folder.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
    const QString strSystemFile = identity.strDoctypeSystem.section(QLatin1Char('/'), -1);
    if (!strSystemFile.isEmpty() && (grammars + templates).contains(strSystemFile))
        return {folder.filePath(strSystemFile), QStringLiteral("DOCTYPE")};
    if (!identity.strNamespace.isEmpty()) {
        for (const QString& name : grammars + templates) {
            if (DeclaresNamespace(folder.filePath(name), identity.strNamespace))
                return {folder.filePath(name), QStringLiteral("namespace")};
        }
    }
    if (!identity.strRootName.isEmpty()) {
        for (const QString& name : templates) {
            if (HasTopLevelElement(folder.filePath(name), identity.strRootName))
                return {folder.filePath(name), QStringLiteral("document element")};
        }
    }
    return {};
}

QString UserTemplateFolder(const QProcessEnvironment& environment)
{
    QString strHome = environment.value(QStringLiteral("XDG_DATA_HOME"));
    if (strHome.isEmpty())
        strHome = environment.value(QStringLiteral("HOME")) + QStringLiteral("/.local/share");
    return strHome + QStringLiteral("/tarnel/templates");
}
