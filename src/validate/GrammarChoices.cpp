#include "GrammarChoices.h"

#include "Profile.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace {

// Settings keys cannot hold a path's slashes; its hash stands for it.
QString KeyOf(const QString& strDocumentPath)
{
    const QByteArray path = QFileInfo(strDocumentPath).absoluteFilePath().toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex());
}

}  // namespace

CGrammarChoices::CGrammarChoices(const QString& strSection) : m_strSection(strSection) {}

QString CGrammarChoices::ChoiceFor(const QString& strDocumentPath) const
{
    if (strDocumentPath.isEmpty())
        return m_strUntitledChoice;
    return GetProfileString(m_strSection, KeyOf(strDocumentPath), QString());
}

void CGrammarChoices::Remember(const QString& strDocumentPath, const QString& strChoice)
{
    if (strDocumentPath.isEmpty()) {
        m_strUntitledChoice = strChoice;
        return;
    }
    WriteProfileString(m_strSection, KeyOf(strDocumentPath), strChoice);
}
