#include "TipDlg.h"
#include "TipOfTheDay.h"

#include "CommandIds.h"
#include "MessageBox.h"
#include "Profile.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kTip = QStringLiteral("Tip");

class TipDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_strOldDir = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        SetProfileDirectory(m_dir.filePath(QStringLiteral("settings")));
        ClearProfileSection(kTip);
        WriteTips("; tips\nFirst tip\n\nSecond tip\n  indented\nThird tip\n");
    }

    void TearDown() override
    {
        SetTipDialogRunner(nullptr);
        ClearProfileSection(kTip);
        QDir::setCurrent(m_strOldDir);
    }

    void WriteTips(const QByteArray& bytes)
    {
        QFile file(m_dir.filePath(QStringLiteral("tips.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    // Runs the start-up display; `act` plays the user on the open dialog. Returns the tip shown,
    // or a null string when the dialog was not shown.
    QString StartUp(const std::function<void(CTipDlg&)>& act)
    {
        QString shown;
        SetTipDialogRunner([&](CTipDlg& dialog) {
            dialog.OnInitDialog();
            shown = dialog.TipLabel()->text();
            act(dialog);
            return dialog.result() == QDialog::Accepted ? IDOK : IDCANCEL;
        });
        ShowTipAtStartup(true);
        return shown;
    }

    static void Close(CTipDlg& dialog) { dialog.CloseButton()->click(); }
    static void Escape(CTipDlg& dialog) { dialog.reject(); }

    static bool HasSetting(const QString& entry)
    {
        return GetProfileString(kTip, entry, QStringLiteral("<absent>"))
               != QStringLiteral("<absent>");
    }

    QTemporaryDir m_dir;
    QString m_strOldDir;
    CMessageCapture m_messages;
};

TEST_F(TipDlgTest, FirstRunShowsFirstTipThenNextRunShowsSecond)
{
    bool bChecked = false;
    EXPECT_EQ(StartUp([&](CTipDlg& d) {
                  bChecked = d.StartupCheckBox()->isChecked();
                  EXPECT_FALSE(GetProfileString(kTip, QStringLiteral("TimeStamp")).isEmpty());
                  Close(d);
              }),
              QStringLiteral("First tip"));
    EXPECT_TRUE(bChecked);
    EXPECT_EQ(GetProfileInt(kTip, QStringLiteral("StartUp"), -1), 0);
    EXPECT_EQ(GetProfileInt(kTip, QStringLiteral("FilePos"), -1), 17);
    EXPECT_EQ(StartUp(Close), QStringLiteral("Second tip"));
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(TipDlgTest, TurnedOffAtStartUpStillAdvancesOneTip)
{
    StartUp([](CTipDlg& d) {
        d.StartupCheckBox()->setChecked(false);
        Close(d);
    });
    EXPECT_EQ(GetProfileInt(kTip, QStringLiteral("StartUp"), -1), 1);
    EXPECT_TRUE(StartUp(Close).isNull());
    EXPECT_EQ(GetProfileInt(kTip, QStringLiteral("FilePos"), -1), 29);
}

TEST_F(TipDlgTest, NoSplashReadsAndWritesNothing)
{
    bool bRan = false;
    SetTipDialogRunner([&](CTipDlg&) {
        bRan = true;
        return IDOK;
    });
    ShowTipAtStartup(false);
    EXPECT_FALSE(bRan);
    EXPECT_FALSE(HasSetting(QStringLiteral("FilePos")));
    EXPECT_FALSE(HasSetting(QStringLiteral("TimeStamp")));
}

TEST_F(TipDlgTest, EscapeKeepsStartUpButStoresPosition)
{
    StartUp([](CTipDlg& d) {
        d.StartupCheckBox()->setChecked(false);
        Escape(d);
    });
    EXPECT_FALSE(HasSetting(QStringLiteral("StartUp")));
    EXPECT_EQ(GetProfileInt(kTip, QStringLiteral("FilePos"), -1), 17);
}

TEST_F(TipDlgTest, NextTipShowsNextAndResetsUnsavedCheckBox)
{
    QStringList tips;
    StartUp([&](CTipDlg& d) {
        d.StartupCheckBox()->setChecked(false);
        for (int i = 0; i < 3; ++i) {
            d.NextTipButton()->click();
            tips << d.TipLabel()->text();
        }
        EXPECT_TRUE(d.StartupCheckBox()->isChecked());
        Escape(d);
    });
    EXPECT_EQ(tips, (QStringList{"Second tip", "Third tip", "First tip"}));
}

TEST_F(TipDlgTest, ChangedTimeStampRestartsAtFirstTip)
{
    WriteProfileInt(kTip, QStringLiteral("FilePos"), 18);
    WriteProfileString(kTip, QStringLiteral("TimeStamp"),
                       QStringLiteral("Thu Jan  1 00:00:00 1970"));
    EXPECT_EQ(StartUp(Close), QStringLiteral("First tip"));
    EXPECT_NE(GetProfileString(kTip, QStringLiteral("TimeStamp")),
              QStringLiteral("Thu Jan  1 00:00:00 1970"));
}

TEST_F(TipDlgTest, StoredPositionPastEndOrMidLine)
{
    StartUp(Close);  // stores the time stamp
    WriteProfileInt(kTip, QStringLiteral("FilePos"), 100000);
    EXPECT_EQ(StartUp(Close), QStringLiteral("First tip"));
    WriteProfileInt(kTip, QStringLiteral("FilePos"), 13);
    EXPECT_EQ(StartUp(Close), QStringLiteral("tip"));
}

TEST_F(TipDlgTest, MissingFileShowsMessageInDialogWithNextDisabled)
{
    QFile::remove(m_dir.filePath(QStringLiteral("tips.txt")));
    bool bNextEnabled = true;
    QString shown;
    SetTipDialogRunner([&](CTipDlg& d) {
        d.OnInitDialog();
        shown = d.TipLabel()->text();
        bNextEnabled = d.NextTipButton()->isEnabled();
        return IDCANCEL;
    });
    ShowTip();
    EXPECT_EQ(shown, QStringLiteral("Tips file does not exist in the prescribed directory"));
    EXPECT_FALSE(bNextEnabled);
    EXPECT_TRUE(m_messages.Messages().isEmpty());
    EXPECT_FALSE(HasSetting(QStringLiteral("FilePos")));
    EXPECT_FALSE(HasSetting(QStringLiteral("TimeStamp")));
}

TEST_F(TipDlgTest, ATipsFileThatIsNoRegularFileIsSaidToBeSoNotMissing)
{
    const QString path = m_dir.filePath(QStringLiteral("tips.txt"));
    const QByteArray name = QFile::encodeName(path);
    for (const bool bFifo : {true, false}) {
        QFile::remove(path);
        if (bFifo)
            ASSERT_EQ(::mkfifo(name.constData(), 0600), 0);
        else
            ASSERT_EQ(::symlink("/dev/zero", name.constData()), 0);
        QString shown;
        SetTipDialogRunner([&](CTipDlg& d) {
            d.OnInitDialog();
            shown = d.TipLabel()->text();
            return IDCANCEL;
        });
        ShowTip();
        EXPECT_TRUE(shown.endsWith(QStringLiteral("tips.txt: not a regular file.")))
            << shown.toStdString();
    }
}

TEST_F(TipDlgTest, FailedSeekReportsTroubleAndNextReadsFromStart)
{
    StartUp(Close);
    WriteProfileInt(kTip, QStringLiteral("FilePos"), -5);
    CTipDlg dialog;
    dialog.OnInitDialog();
    EXPECT_EQ(m_messages.Messages(), QStringList{"Trouble reading the tips file"});
    EXPECT_TRUE(dialog.m_strTipText.isEmpty());
    ASSERT_TRUE(dialog.NextTipButton()->isEnabled());
    dialog.NextTipButton()->click();
    EXPECT_EQ(dialog.TipLabel()->text(), QStringLiteral("First tip"));
}

TEST_F(TipDlgTest, FileWithoutTipsEndsWithMessageInsteadOfLooping)
{
    WriteTips("; nothing\n\n  here\n");
    CTipDlg dialog;
    EXPECT_EQ(dialog.m_strTipText, QStringLiteral("The tips file \"tips.txt\" holds no tips."));
    dialog.OnInitDialog();
    dialog.NextTipButton()->click();
    EXPECT_EQ(dialog.m_strTipText, QStringLiteral("The tips file \"tips.txt\" holds no tips."));
}

TEST_F(TipDlgTest, AmpersandsShowAsInStaticLabel)
{
    WriteTips("Use &File && &Save.\n");
    CTipDlg dialog;
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.m_strTipText, QStringLiteral("Use &File && &Save."));
    EXPECT_EQ(dialog.TipLabel()->text(), QStringLiteral("Use File & Save."));
}

TEST_F(TipDlgTest, PaintsBulbWithHeadingCentredBesideIt)
{
    CTipDlg dialog;
    dialog.OnInitDialog();
    const QRect bulb = dialog.BulbRect();
    const QRect heading = dialog.HeadingRect();
    EXPECT_EQ(bulb.size(), QSize(40, 53));
    EXPECT_EQ(heading.left(), bulb.right() + 1);
    EXPECT_EQ(heading.center().y(), bulb.center().y());
    const QImage image = dialog.grab().toImage();
    auto inkIn = [&](const QRect& rect) {
        int nInk = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                nInk += image.pixelColor(x, y) != QColor(Qt::white);
        return nInk;
    };
    EXPECT_GT(inkIn(bulb), 200);
    EXPECT_GT(inkIn(heading), 50);
}

TEST_F(TipDlgTest, DoModalRunsUntilClosed)
{
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<CTipDlg*>(QApplication::activeModalWidget()))
            dialog->CloseButton()->click();
    });
    CTipDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(GetProfileInt(kTip, QStringLiteral("StartUp"), -1), 0);
}

}  // namespace
