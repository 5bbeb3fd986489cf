// Gathers every error libxml2 reports on this thread while it lives, with line and column.
#pragma once

#include "ValidationResult.h"

#include <libxml/xmlerror.h>

class CXmlErrorCollector
{
public:
    CXmlErrorCollector();
    ~CXmlErrorCollector();
    CXmlErrorCollector(const CXmlErrorCollector&) = delete;
    CXmlErrorCollector& operator=(const CXmlErrorCollector&) = delete;

    // An error found in another file (an external DTD, an entity) names that file and its line
    // in its message and gets no line of its own, so it is never placed in the document.
    void SetDocumentFile(const QByteArray& path) { m_documentFile = path; }
    const QVector<SValidationIssue>& Issues() const { return m_issues; }
    QVector<SValidationIssue> TakeIssues();
    // Adds a message that came as plain text (libxslt's), split at its line ends.
    void AddText(const QString& strText);
    // The first error's message, for a one-sentence report.
    QString FirstMessage() const;

    static void OnStructuredError(void* pCollector, xmlErrorPtr pError);
    static void OnGenericError(void* pCollector, const char* format, ...);

private:
    QVector<SValidationIssue> m_issues;
    QString m_strPending;  // generic messages arrive in pieces
    QByteArray m_documentFile;
    void* m_pOldContext;
    xmlStructuredErrorFunc m_pOldHandler;
    void* m_pOldGenericContext;
    xmlGenericErrorFunc m_pOldGenericHandler;
};
