// Picks, from the user's template folder, the template or grammar that fits a document: by its
// DOCTYPE, by its document element's namespace, or by the document element's name.
#pragma once

#include <QProcessEnvironment>
#include <QString>

struct SDocumentIdentity
{
    QString strRootName;       // the document element's name
    QString strNamespace;      // the namespace of the document element
    QString strDoctypeSystem;  // the DOCTYPE's system identifier
};

// What the start of a document says of it; fields stay empty where it says nothing.
SDocumentIdentity IdentifyDocument(const QByteArray& head);

struct STemplatePick
{
    QString strPath;    // empty when nothing fits
    QString strReason;  // "DOCTYPE", "namespace", "document element"
};

// Looks in `strFolder` (its *.dtd, *.xsd, *.rng and *.xml files, in name order): a file named
// as the DOCTYPE's system identifier ends in, else a schema or template naming the namespace,
// else a template whose top-level element is the document element.
STemplatePick PickTemplate(const QString& strFolder, const SDocumentIdentity& identity);

// $XDG_DATA_HOME/tarnel/templates, or ~/.local/share/tarnel/templates.
QString UserTemplateFolder(const QProcessEnvironment& environment);
