#include "Profile.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const char* const kOrganisation = "Local AppWizard-Generated Applications";
const char* const kApplication = "Tarnel";

QSettings Settings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, kOrganisation, kApplication);
}

QString Key(const QString& section, const QString& entry)
{
    return section + QLatin1Char('/') + entry;
}

}  // namespace

int GetProfileInt(const QString& section, const QString& entry, int nDefault)
{
    bool ok = false;
    const int value = Settings().value(Key(section, entry)).toInt(&ok);
    return ok ? value : nDefault;
}

QString GetProfileString(const QString& section, const QString& entry, const QString& strDefault)
{
    const QVariant value = Settings().value(Key(section, entry));
    return value.isValid() ? value.toString() : strDefault;
}

bool WriteProfileInt(const QString& section, const QString& entry, int nValue)
{
    QSettings settings = Settings();
    settings.setValue(Key(section, entry), nValue);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool WriteProfileString(const QString& section, const QString& entry, const QString& value)
{
    QSettings settings = Settings();
    settings.setValue(Key(section, entry), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

void ClearProfileSection(const QString& section)
{
    QSettings settings = Settings();
    settings.remove(section);
}

QString ProfileFilePath()
{
    return Settings().fileName();
}

bool RemoveProfile()
{
    const QFileInfo file(ProfileFilePath());
    if (file.exists() && !QFile::remove(file.absoluteFilePath()))
        return false;
    QDir folder = file.absoluteDir();
    if (folder.exists() && folder.isEmpty())
        folder.rmdir(folder.absolutePath());
    return true;
}

void SetProfileDirectory(const QString& directory)
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, directory);
}
