#include "FileDialog.h"

#include "FileDialogStart.h"

#include <QFileInfo>

CFileDialog::CFileDialog(bool bSave, const QString& caption, const QString& suggested,
                         const QString& filter, const QString& defaultExt, QWidget* parent)
    : QFileDialog(parent, caption, CFileDialogStart::StartPath(suggested), filter)
{
    setAcceptMode(bSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    setFileMode(bSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (bSave)
        setDefaultSuffix(defaultExt);
    else
        m_strOpenExt = defaultExt;
}

QString CFileDialog::DoModal()
{
    if (exec() != QDialog::Accepted || selectedFiles().isEmpty())
        return QString();
    CFileDialogStart::Remember(selectedFiles().constFirst());
    return selectedFiles().constFirst();
}

void CFileDialog::accept()
{
    const QStringList files = selectedFiles();
    if (!m_strOpenExt.isEmpty() && files.size() == 1) {
        const QFileInfo typed(files.constFirst());
        const QFileInfo withExt(typed.filePath() + QLatin1Char('.') + m_strOpenExt);
        if (typed.suffix().isEmpty() && !typed.isDir() && withExt.isFile())
            selectFile(withExt.filePath());
    }
    QFileDialog::accept();
}
