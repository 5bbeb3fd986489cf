#include "FileDialogStart.h"

#include <QDir>
#include <QFileInfo>

QString& CFileDialogStart::LastFolder()
{
    static QString strFolder;
    return strFolder;
}

QString CFileDialogStart::StartPath(const QString& suggested)
{
    const QString& folder = LastFolder();
    if (QDir::isAbsolutePath(suggested) || folder.isEmpty())
        return suggested;
    // A suggested name with a folder of its own keeps it.
    if (suggested.contains(QLatin1Char('/')))
        return suggested;
    return suggested.isEmpty() ? folder : QDir(folder).filePath(suggested);
}

void CFileDialogStart::Remember(const QString& chosenPath)
{
    if (!chosenPath.isEmpty())
        LastFolder() = QFileInfo(chosenPath).absolutePath();
}

void CFileDialogStart::ForgetForTesting()
{
    LastFolder().clear();
}
