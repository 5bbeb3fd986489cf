// The clipboard forms Paste Special offers as text, and the text and bytes each one gives.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

class CFileCodec;
class QMimeData;

struct SPasteFormat
{
    QString strMimeType;  // without parameters: "text/plain", "text/html", ...
    QString strName;      // as the dialog lists it
};

class CPasteFormats
{
public:
    static const QString kPlainType;    // "text/plain"
    static const QString kHtmlType;     // "text/html"
    static const QString kRtfType;      // "text/rtf", standing for application/rtf too
    static const QString kUriListType;  // "text/uri-list"

    // Unformatted text, HTML source, rich text source and file names first, in that order, then
    // any other text/* type in the clipboard's order; each at most once.
    static std::vector<SPasteFormat> Offered(const QMimeData& data);

    // The text `data` gives as `strMimeType` (one of Offered's types): markup and RTF as their
    // source, file names as local paths one per line.
    static QString TextOf(const QMimeData& data, const QString& strMimeType);

    // `text` as a document's bytes: UTF-8, or Latin-1 in an 8-bit document. False, with
    // `bytes` untouched, when an 8-bit document cannot hold one of its characters.
    static bool ToDocumentBytes(const QString& text, bool bUtf8, QByteArray& bytes);
    // The same for a document whose file is in `pCodec`'s encoding (null: none), decoded into
    // UTF-8 for editing: false when that encoding cannot hold one of the characters.
    static bool ToDocumentBytes(const QString& text, bool bUtf8, const CFileCodec* pCodec,
                                QByteArray& bytes);
    // The kind of document that cannot store a character, for messages: "an 8-bit (Latin-1)
    // document", "a windows-1252 document".
    static QString DocumentKind(const CFileCodec* pCodec);

private:
    static QString LocalFileNames(const QMimeData& data);
    static QString Decode(const QByteArray& bytes, const QString& strFullType);
};
