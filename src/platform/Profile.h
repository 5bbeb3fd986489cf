// Settings kept between runs, in sections, through QSettings under
// "Local AppWizard-Generated Applications" / "Tarnel".
#pragma once

#include <QString>

int GetProfileInt(const QString& section, const QString& entry, int nDefault);
QString GetProfileString(const QString& section, const QString& entry,
                         const QString& strDefault = QString());
bool WriteProfileInt(const QString& section, const QString& entry, int nValue);
bool WriteProfileString(const QString& section, const QString& entry, const QString& value);

// Removes every value of `section`.
void ClearProfileSection(const QString& section);

// The settings file, and removal of it (with its folder when that is then empty).
QString ProfileFilePath();
bool RemoveProfile();

// Points all settings at an INI file under `directory` (tests and portable use).
void SetProfileDirectory(const QString& directory);
