// Asks in which of the clipboard's text forms to paste.
#pragma once

#include "PasteFormats.h"

#include <QDialog>
#include <functional>
#include <vector>

class CFileCodec;
class QListWidget;
class QPushButton;

class CPasteSpecialDlg : public QDialog
{
    Q_OBJECT

public:
    // Stands in for the user in place of the modal loop when set, so tests choose without
    // showing the dialog: it picks a row and clicks a button, or leaves the dialog unanswered.
    using ModalHook = std::function<void(CPasteSpecialDlg& dialog)>;
    static ModalHook s_fnRunModal;

    explicit CPasteSpecialDlg(std::vector<SPasteFormat> formats, QWidget* pParent = nullptr);

    // Whether the clipboard holds a form that pastes as text.
    static bool CanPaste();
    // Asks for the form and gives the clipboard's text in it as the document's bytes; false,
    // after a message naming `documentName` where the user should know why, when nothing is to
    // be pasted.
    // `pCodec`: the encoding of a document decoded for editing, as for
    // CPasteFormats::ToDocumentBytes.
    static bool Choose(QWidget* pParent, bool bUtf8, const QString& documentName, QByteArray& bytes,
                       const CFileCodec* pCodec = nullptr);

    // IDOK or IDCANCEL; on IDOK m_nSelected is a valid index into Formats().
    int DoModal();

    const std::vector<SPasteFormat>& Formats() const { return m_formats; }
    QListWidget* FormatList() const { return m_pFormatList; }
    QPushButton* OkButton() const { return m_pOkButton; }

    int m_nSelected = 0;

public slots:
    void accept() override;

private:
    std::vector<SPasteFormat> m_formats;
    QListWidget* m_pFormatList = nullptr;
    QPushButton* m_pOkButton = nullptr;
};
