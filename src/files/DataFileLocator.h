// Finds Tarnel's data files (the template, the tips): working folder, then the user's, then the installed copy.
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

class CDataFileLocator
{
public:
    // `strProgramDataDir`: share/tarnel beside the installed program, looked at last, so that an
    // install under a prefix outside XDG_DATA_DIRS still finds its files. Empty: not used.
    explicit CDataFileLocator(const QProcessEnvironment& environment,
                              const QString& strProgramDataDir = QString());

    // The locator of the running program: its environment and its own install prefix.
    static CDataFileLocator ForThisProgram();

    // The paths looked at for `strName`, in order; the first is `strName` itself.
    QStringList Candidates(const QString& strName) const;
    // The first candidate that is a file; `strName` unchanged when there is none, so the
    // caller's own "cannot open" message names the file as the user knows it.
    QString Locate(const QString& strName) const;

private:
    QStringList DataDirs() const;

    QProcessEnvironment m_environment;
    QString m_strProgramDataDir;
};
