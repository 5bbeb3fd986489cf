// The Open and Save As file dialog. An Open dialog with a default extension takes a typed
// name without an extension as the file with that extension when one exists, else as typed;
// Qt's own dialog would always add the extension and refuse a file that has none.
#pragma once

#include <QFileDialog>

class CFileDialog : public QFileDialog
{
    Q_OBJECT
public:
    CFileDialog(bool bSave, const QString& caption, const QString& suggested, const QString& filter,
                const QString& defaultExt, QWidget* parent = nullptr);

    // The chosen path, empty when cancelled.
    QString DoModal();

protected:
    void accept() override;

private:
    QString m_strOpenExt;  // the default extension of an Open dialog
};
