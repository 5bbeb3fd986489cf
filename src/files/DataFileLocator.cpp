#include "DataFileLocator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const QString kSubfolder = QStringLiteral("tarnel");

// XDG base directories must be absolute; a relative entry is ignored.
void AppendIfAbsolute(QStringList& dirs, const QString& dir)
{
    if (QDir::isAbsolutePath(dir))
        dirs << dir;
}

}  // namespace

CDataFileLocator::CDataFileLocator(const QProcessEnvironment& environment,
                                   const QString& strProgramDataDir)
    : m_environment(environment), m_strProgramDataDir(strProgramDataDir)
{
}

CDataFileLocator CDataFileLocator::ForThisProgram()
{
    QString strProgramDataDir;
    if (QCoreApplication::instance())
        strProgramDataDir = QDir::cleanPath(QCoreApplication::applicationDirPath()
                                            + QStringLiteral("/../share/") + kSubfolder);
    return CDataFileLocator(QProcessEnvironment::systemEnvironment(), strProgramDataDir);
}

QStringList CDataFileLocator::DataDirs() const
{
    QStringList dirs;
    QString strHome = m_environment.value(QStringLiteral("XDG_DATA_HOME"));
    if (!QDir::isAbsolutePath(strHome)) {
        QString strUserHome = m_environment.value(QStringLiteral("HOME"));
        if (strUserHome.isEmpty())
            strUserHome = QDir::homePath();
        strHome = strUserHome + QStringLiteral("/.local/share");
    }
    dirs << strHome;
    QString strSystem = m_environment.value(QStringLiteral("XDG_DATA_DIRS"));
    if (strSystem.isEmpty())
        strSystem = QStringLiteral("/usr/local/share:/usr/share");
    for (const QString& dir : strSystem.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        AppendIfAbsolute(dirs, dir);
    return dirs;
}

QStringList CDataFileLocator::Candidates(const QString& strName) const
{
    QStringList candidates{strName};
    for (const QString& dir : DataDirs())
        candidates << QDir(dir).filePath(kSubfolder + QLatin1Char('/') + strName);
    if (!m_strProgramDataDir.isEmpty())
        candidates << QDir(m_strProgramDataDir).filePath(strName);
    candidates.removeDuplicates();
    return candidates;
}

QString CDataFileLocator::Locate(const QString& strName) const
{
    for (const QString& candidate : Candidates(strName)) {
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return strName;
}
