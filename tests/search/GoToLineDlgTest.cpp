#include "GoToLineDlg.h"

#include "CommandIds.h"
#include "MessageBox.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

void PressKey(QWidget* pWidget, int nKey, const QString& strText = QString())
{
    QKeyEvent press(QEvent::KeyPress, nKey, Qt::NoModifier, strText);
    QApplication::sendEvent(pWidget, &press);
    QKeyEvent release(QEvent::KeyRelease, nKey, Qt::NoModifier, strText);
    QApplication::sendEvent(pWidget, &release);
}

void Type(QWidget* pWidget, const QString& strText)
{
    for (const QChar ch : strText)
        PressKey(pWidget, ch.toUpper().unicode(), QString(ch));
}

TEST(GoToLineDlgTest, FieldShowsZeroAndOkAtOnceGivesZero)
{
    CMessageCapture messages;
    CGoToLineDlg dialog;
    EXPECT_EQ(dialog.LineEdit()->text(), QStringLiteral("0"));
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_nLine, 0);
    EXPECT_TRUE(messages.Messages().isEmpty());
}

TEST(GoToLineDlgTest, FieldAcceptsDigitsOnly)
{
    CGoToLineDlg dialog;
    dialog.LineEdit()->clear();
    Type(dialog.LineEdit(), QStringLiteral("-1 2x3"));
    EXPECT_EQ(dialog.LineEdit()->text(), QStringLiteral("123"));
}

TEST(GoToLineDlgTest, RefusedEntryKeepsDialogOpenWithTextSelected)
{
    struct SCase
    {
        const char* szText;
        const char* szMessage;
    };
    const SCase cases[] = {
        {"", "Please enter an integer."},
        {"100000", "Please enter an integer between 0 and 99999."},
    };
    for (const SCase& c : cases) {
        CMessageCapture messages;
        CGoToLineDlg dialog;
        dialog.m_nLastLine = 99999;
        dialog.show();
        dialog.LineEdit()->setText(QString::fromLatin1(c.szText));
        dialog.LineEdit()->deselect();
        dialog.OkButton()->click();
        EXPECT_EQ(messages.Messages(), QStringList{QString::fromLatin1(c.szMessage)});
        EXPECT_TRUE(dialog.isVisible()) << c.szText;
        EXPECT_EQ(dialog.LineEdit()->selectedText(), QString::fromLatin1(c.szText));
        EXPECT_EQ(dialog.m_nLine, 0);
    }
}

TEST(GoToLineDlgTest, DoModalGivesOkWithNumberOrCancelLeavingLine)
{
    CMessageCapture messages;
    CGoToLineDlg dialog;
    dialog.m_nLastLine = 674489;
    QTimer::singleShot(0, [&] {
        dialog.LineEdit()->setText(QStringLiteral("500000"));
        PressKey(dialog.LineEdit(), Qt::Key_Return);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_nLine, 500000);

    CGoToLineDlg cancelled;
    QTimer::singleShot(0, [&] {
        cancelled.LineEdit()->setText(QStringLiteral("7"));
        PressKey(cancelled.LineEdit(), Qt::Key_Escape);
    });
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.m_nLine, 0);
}

}  // namespace
