// Validates a text in memory against its own grammar (DTD, XML Schema, RELAX NG) or a chosen one,
// collecting every error. Never reaches the network. Runs on any thread.
#pragma once

#include "ValidationResult.h"

#include <atomic>

struct SValidationRequest
{
    QByteArray text;
    QString strDocumentPath;  // the base for relative grammar addresses; may not exist yet
    QString strGrammarPath;   // a grammar the user chose; empty for the document's own
};

SValidationResult ValidateXmlText(const SValidationRequest& request,
                                  const std::atomic_bool* pCancel = nullptr);
