// Reads a text held in memory into a libxml2 tree, chunk by chunk so that it can be stopped.
#pragma once

#include "XmlPtr.h"

#include <QByteArray>
#include <QString>

#include <libxml/tree.h>

#include <atomic>

using XmlDocPtr = TXmlPtr<xmlDoc, xmlFreeDoc>;

struct SXmlReadOutcome
{
    XmlDocPtr doc;  // null when the text is not well-formed or the reading was stopped
    bool bCancelled = false;
    bool bValid = false;  // libxml2's DTD verdict, when asked to validate while reading
};

// Never the network; entity expansion bounded by libxml2's own limits (no huge mode).
constexpr int kSafeParseOptions = XML_PARSE_NONET | XML_PARSE_BIG_LINES;

// Parses `text` as the file at `strDocumentPath` (the base for relative addresses; the file need
// not exist). Errors go to the thread's error handler. `pCancel` is read between chunks.
SXmlReadOutcome ReadXmlText(const QByteArray& text, const QString& strDocumentPath, int nOptions,
                            const std::atomic_bool* pCancel = nullptr);

// The base for relative addresses of a document that may have no file yet.
QString DocumentBasePath(const QString& strDocumentPath);
