#include "PasteFormats.h"

#include "FileCodec.h"

#include <QMimeData>
#include <QStringConverter>
#include <QStringDecoder>
#include <QUrl>

#include <algorithm>

const QString CPasteFormats::kPlainType = QStringLiteral("text/plain");
const QString CPasteFormats::kHtmlType = QStringLiteral("text/html");
const QString CPasteFormats::kRtfType = QStringLiteral("text/rtf");
const QString CPasteFormats::kUriListType = QStringLiteral("text/uri-list");

namespace {

const QString kApplicationRtf = QStringLiteral("application/rtf");

// "text/plain;charset=utf-8" -> "text/plain"
QString BaseType(const QString& strFormat)
{
    return strFormat.section(QLatin1Char(';'), 0, 0).trimmed().toLower();
}

// The clipboard's own spelling of `strBase`, parameters included, or empty.
QString FullType(const QMimeData& data, const QString& strBase)
{
    for (const QString& strFormat : data.formats()) {
        if (BaseType(strFormat) == strBase)
            return strFormat;
    }
    return QString();
}

QString RtfType(const QMimeData& data)
{
    const QString strRtf = FullType(data, CPasteFormats::kRtfType);
    return strRtf.isEmpty() ? FullType(data, kApplicationRtf) : strRtf;
}

bool IsOtherText(const QString& strBase)
{
    return strBase.startsWith(QLatin1String("text/")) && strBase != CPasteFormats::kPlainType
           && strBase != CPasteFormats::kHtmlType && strBase != CPasteFormats::kRtfType
           && strBase != CPasteFormats::kUriListType;
}

}  // namespace

std::vector<SPasteFormat> CPasteFormats::Offered(const QMimeData& data)
{
    std::vector<SPasteFormat> formats;
    if (data.hasText())
        formats.push_back({kPlainType, QStringLiteral("Unformatted text")});
    if (data.hasHtml())
        formats.push_back({kHtmlType, QStringLiteral("HTML source")});
    if (!RtfType(data).isEmpty())
        formats.push_back({kRtfType, QStringLiteral("Rich text source")});
    if (!LocalFileNames(data).isEmpty())
        formats.push_back({kUriListType, QStringLiteral("File names")});
    for (const QString& strFormat : data.formats()) {
        const QString strBase = BaseType(strFormat);
        const bool bListed =
            std::any_of(formats.begin(), formats.end(),
                        [&](const SPasteFormat& f) { return f.strMimeType == strBase; });
        if (IsOtherText(strBase) && !bListed)
            formats.push_back({strBase, strBase});
    }
    return formats;
}

QString CPasteFormats::TextOf(const QMimeData& data, const QString& strMimeType)
{
    if (strMimeType == kPlainType)
        return data.text();
    if (strMimeType == kHtmlType)
        return data.html();
    if (strMimeType == kUriListType)
        return LocalFileNames(data);
    const QString strFull = strMimeType == kRtfType ? RtfType(data) : FullType(data, strMimeType);
    return strFull.isEmpty() ? QString() : Decode(data.data(strFull), strFull);
}

QString CPasteFormats::LocalFileNames(const QMimeData& data)
{
    if (!data.hasUrls())
        return QString();
    QStringList names;
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile())
            names << url.toLocalFile();
    }
    return names.join(QLatin1Char('\n'));
}

QString CPasteFormats::Decode(const QByteArray& bytes, const QString& strFullType)
{
    // A charset parameter decides; else a byte-order mark; else UTF-8 when the bytes are valid
    // UTF-8, Latin-1 otherwise, as documents are read.
    const int nCharset = strFullType.indexOf(QLatin1String("charset="), 0, Qt::CaseInsensitive);
    if (nCharset >= 0) {
        const QString strCharset = strFullType.mid(nCharset + 8).section(QLatin1Char(';'), 0, 0);
        QStringDecoder decoder(
            strCharset.trimmed().remove(QLatin1Char('"')).toLatin1().constData());
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    const auto encoding = QStringConverter::encodingForData(bytes);
    // Stateless, so a sequence cut off at the end is an error too; drops a byte-order mark.
    QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8),
                           QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return decoder.hasError() ? QString::fromLatin1(bytes) : text;
}

bool CPasteFormats::ToDocumentBytes(const QString& text, bool bUtf8, QByteArray& bytes)
{
    if (bUtf8) {
        bytes = text.toUtf8();
        return true;
    }
    const bool bFits =
        std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() <= 0xFF; });
    if (bFits)
        bytes = text.toLatin1();
    return bFits;
}

bool CPasteFormats::ToDocumentBytes(const QString& text, bool bUtf8, const CFileCodec* pCodec,
                                    QByteArray& bytes)
{
    if (!bUtf8 || !pCodec)
        return ToDocumentBytes(text, bUtf8, bytes);
    QByteArray utf8 = text.toUtf8();
    if (pCodec->FirstUnheld(utf8.toStdString()) != CFileCodec::npos)
        return false;
    bytes = std::move(utf8);
    return true;
}

QString CPasteFormats::DocumentKind(const CFileCodec* pCodec)
{
    if (!pCodec)
        return QStringLiteral("an 8-bit (Latin-1) document");
    const QString strLabel = QString::fromStdString(pCodec->Label());
    return (strLabel.startsWith(QLatin1Char('I')) ? QStringLiteral("an %1 document")
                                                  : QStringLiteral("a %1 document"))
        .arg(strLabel);
}
