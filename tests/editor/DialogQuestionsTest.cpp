#include "DialogQuestions.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

using EAnswer = IDocumentQuestions::EAnswer;

TEST(DialogQuestionsTest, AQuestionWhoseYesDiscardsWorkTakesNoTypedLetterAndDefaultsToNo)
{
    struct Case
    {
        const char* name;
        bool bYesDiscards;
        QList<Qt::Key> keys;
        EAnswer expected;
    };
    const Case cases[] = {
        {"typed y, then Return", true, {Qt::Key_Y, Qt::Key_Return}, EAnswer::No},
        {"Escape", true, {Qt::Key_Escape}, EAnswer::No},
        {"typed y where nothing is lost", false, {Qt::Key_Y}, EAnswer::Yes},
    };
    CDialogQuestions questions;
    for (const Case& c : cases) {
        bool bSeen = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr) << c.name;
            bSeen = true;
            for (Qt::Key key : c.keys) {
                if (box->isVisible())
                    QTest::keyClick(box, key);
            }
        });
        EXPECT_EQ(questions.AskYesNo(QStringLiteral("Lose it?"), c.bYesDiscards), c.expected)
            << c.name;
        EXPECT_TRUE(bSeen) << c.name;
    }
}

}  // namespace
