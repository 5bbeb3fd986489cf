// Applies an XSLT 1.0 stylesheet to a text in memory with libxslt. The stylesheet can neither
// write files, make folders nor reach the network.
#pragma once

#include "ValidationResult.h"

#include <atomic>

struct STransformRequest
{
    QByteArray text;
    QString strDocumentPath;    // the base for relative addresses; may not exist yet
    QString strStylesheetPath;  // chosen by the user; empty for the document's xml-stylesheet
};

STransformResult TransformXmlText(const STransformRequest& request,
                                  const std::atomic_bool* pCancel = nullptr);
