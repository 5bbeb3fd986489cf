// Test main for tests that need widgets: one QApplication for the whole run.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Data files a Tarnel installed on this machine would otherwise stand in for missing ones.
    QTemporaryDir noData;
    qputenv("XDG_DATA_HOME", QFile::encodeName(noData.path()));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(noData.path()));
    // Recovery files of the documents the tests make stay out of the user's state folder.
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
