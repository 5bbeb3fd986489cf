// The one way the program tells the user something: a modal box, warning icon, caption
// "Tarnel", one OK button. Tests replace the presenter to capture the texts.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

using MessagePresenter = std::function<void(const QString& text)>;

// Shows `text` through the current presenter.
void AfxMessageBox(const QString& text);

// Shows string `nID` of the string table.
void AfxMessageBox(int nID);

// Installs `presenter` and returns the previous one. Without one, texts go to stderr.
MessagePresenter SetMessagePresenter(MessagePresenter presenter);

// Captures every message shown during its lifetime instead of showing it.
class CMessageCapture
{
public:
    CMessageCapture();
    ~CMessageCapture();
    CMessageCapture(const CMessageCapture&) = delete;
    CMessageCapture& operator=(const CMessageCapture&) = delete;

    const QStringList& Messages() const { return m_messages; }
    void Clear() { m_messages.clear(); }

private:
    QStringList m_messages;
    MessagePresenter m_previous;
};
