#include "MessageBox.h"

#include "StringTable.h"

#include <cstdio>

namespace {

MessagePresenter& CurrentPresenter()
{
    static MessagePresenter presenter;
    return presenter;
}

}  // namespace

void AfxMessageBox(const QString& text)
{
    if (CurrentPresenter())
        CurrentPresenter()(text);
    else
        std::fprintf(stderr, "Tarnel: %s\n", text.toLocal8Bit().constData());
}

void AfxMessageBox(int nID)
{
    AfxMessageBox(LoadString(nID));
}

MessagePresenter SetMessagePresenter(MessagePresenter presenter)
{
    MessagePresenter previous = std::move(CurrentPresenter());
    CurrentPresenter() = std::move(presenter);
    return previous;
}

CMessageCapture::CMessageCapture()
    : m_previous(SetMessagePresenter([this](const QString& text) { m_messages << text; }))
{
}

CMessageCapture::~CMessageCapture()
{
    SetMessagePresenter(std::move(m_previous));
}
