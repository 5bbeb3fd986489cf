// A scratch working directory and settings folder for tests of the main window and start-up.
#pragma once

#include "MessageBox.h"
#include "Profile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>

class CScratchFolder
{
public:
    CScratchFolder() : m_previous(QDir::currentPath())
    {
        SetProfileDirectory(m_settings.path());
        QDir::setCurrent(m_work.path());
    }
    ~CScratchFolder() { QDir::setCurrent(m_previous); }

    QString Path(const QString& name) const { return m_work.filePath(name); }

    QString Write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return Path(name);
    }

private:
    QString m_previous;
    QTemporaryDir m_work;
    QTemporaryDir m_settings;
};

inline const QByteArray kSampleTemplate =
    "<html><b/><p class=\"note\"/><br tarn:single=\"yes\"/></html>";

// The caption as the window system shows it: Qt's "[*]" is "*" while modified.
inline QString ShownCaption(const QWidget& window)
{
    QString title = window.windowTitle();
    return title.replace(QStringLiteral("[*]"),
                         window.isWindowModified() ? QStringLiteral("*") : QString());
}

// Counts the pages of a PDF written by Qt.
inline int CountPdfPages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray bytes = file.readAll();
    return static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r")
                            + bytes.count("/Type /Page/") + bytes.count("/Type /Page>"));
}
