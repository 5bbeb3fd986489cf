// What a validation or a transformation found: a verdict, every error with its place, and a
// sentence for the user when there is no verdict.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// What the status bar and tarnel-check -v say of a valid document.
constexpr char kEverythingValid[] = "Everything is valid";

// One error as libxml2 or libxslt reported it; line counted from 1, column from 1 (0 when the
// library gives none, as for grammar errors found on the tree).
struct SValidationIssue
{
    long nLine = 0;
    long nColumn = 0;
    QString strMessage;
};

enum class EValidity
{
    Valid,
    Invalid,
    CannotCheck,  // no grammar, a grammar not on disk, a broken grammar: strMessage says why
    Cancelled
};

enum class EGrammarKind
{
    None,
    Dtd,
    XmlSchema,
    RelaxNg
};

struct SValidationResult
{
    EValidity validity = EValidity::CannotCheck;
    QVector<SValidationIssue> issues;
    QString strMessage;
    EGrammarKind grammarKind = EGrammarKind::None;
    QString strGrammar;  // the grammar's path or URL, for messages
};

// The outcome of an XSLT transformation: the result bytes, or the errors that stopped it.
struct STransformResult
{
    bool bDone = false;
    bool bCancelled = false;
    QByteArray output;
    QVector<SValidationIssue> issues;
    QString strMessage;
    QString strStylesheet;
};
