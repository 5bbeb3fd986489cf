#include "XmlErrorCollector.h"

#include <libxml/globals.h>
#include <libxml/tree.h>

#include <cstdarg>
#include <cstdio>

namespace {

// Beyond this many errors a text is plainly not of its grammar; more would only cost memory.
constexpr int kMaxIssues = 10000;

long LineOf(const xmlError& error)
{
    // A node's line field stops at 65535; the tree knows the real one.
    const auto* pNode = static_cast<const xmlNode*>(error.node);
    if (pNode && error.line >= 65535)
        return xmlGetLineNo(pNode);
    if (error.line == 0 && pNode)
        return xmlGetLineNo(pNode);
    return error.line;
}

}  // namespace

CXmlErrorCollector::CXmlErrorCollector()
    : m_pOldContext(xmlStructuredErrorContext), m_pOldHandler(xmlStructuredError),
      m_pOldGenericContext(xmlGenericErrorContext), m_pOldGenericHandler(xmlGenericError)
{
    xmlSetStructuredErrorFunc(this, &CXmlErrorCollector::OnStructuredError);
    xmlSetGenericErrorFunc(this, &CXmlErrorCollector::OnGenericError);
}

CXmlErrorCollector::~CXmlErrorCollector()
{
    xmlSetStructuredErrorFunc(m_pOldContext, m_pOldHandler);
    xmlSetGenericErrorFunc(m_pOldGenericContext, m_pOldGenericHandler);
}

QVector<SValidationIssue> CXmlErrorCollector::TakeIssues()
{
    AddText(QString());
    QVector<SValidationIssue> issues;
    issues.swap(m_issues);
    return issues;
}

void CXmlErrorCollector::AddText(const QString& strText)
{
    m_strPending += strText;
    const bool bFlushAll = strText.isEmpty();
    int nEnd;
    while ((nEnd = m_strPending.indexOf(QLatin1Char('\n'))) >= 0
           || (bFlushAll && !m_strPending.isEmpty())) {
        if (nEnd < 0)
            nEnd = m_strPending.size();
        const QString strLine = m_strPending.left(nEnd).trimmed();
        m_strPending.remove(0, nEnd + 1);
        if (!strLine.isEmpty() && m_issues.size() < kMaxIssues)
            m_issues.append({0, 0, strLine});
    }
}

QString CXmlErrorCollector::FirstMessage() const
{
    if (!m_issues.isEmpty())
        return m_issues.first().strMessage;
    return m_strPending.trimmed();
}

void CXmlErrorCollector::OnStructuredError(void* pCollector, xmlErrorPtr pError)
{
    auto* pSelf = static_cast<CXmlErrorCollector*>(pCollector);
    if (!pError || pError->level == XML_ERR_WARNING || pSelf->m_issues.size() >= kMaxIssues)
        return;
    SValidationIssue issue;
    issue.nLine = LineOf(*pError);
    issue.nColumn = pError->domain == XML_FROM_PARSER || pError->domain == XML_FROM_NAMESPACE
                        ? pError->int2
                        : 0;
    issue.strMessage = QString::fromUtf8(pError->message ? pError->message : "").trimmed();
    if (pError->file && !pSelf->m_documentFile.isEmpty() && pSelf->m_documentFile != pError->file) {
        issue.strMessage = QStringLiteral("%1:%2: %3")
                               .arg(QString::fromUtf8(pError->file))
                               .arg(issue.nLine)
                               .arg(issue.strMessage);
        issue.nLine = 0;
        issue.nColumn = 0;
    }
    pSelf->m_issues.append(issue);
}

void CXmlErrorCollector::OnGenericError(void* pCollector, const char* format, ...)
{
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    static_cast<CXmlErrorCollector*>(pCollector)->AddText(QString::fromUtf8(buffer));
}
