#include "DataFileLocator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A working folder, a home, a user data folder and two system data folders, all empty at first.
class DataFileLocatorTest : public ::testing::Test
{
protected:
    DataFileLocatorTest() : m_strPrevious(QDir::currentPath())
    {
        for (const char* folder : {"work", "home", "user", "sys1", "sys2", "prog"})
            QDir(m_root.path()).mkpath(QString::fromLatin1(folder));
        QDir::setCurrent(Path("work"));
        m_environment.insert(QStringLiteral("HOME"), Path("home"));
        m_environment.insert(QStringLiteral("XDG_DATA_HOME"), Path("user"));
        m_environment.insert(QStringLiteral("XDG_DATA_DIRS"), Path("sys1") + ':' + Path("sys2"));
    }
    ~DataFileLocatorTest() override { QDir::setCurrent(m_strPrevious); }

    QString Path(const QString& relative) const { return m_root.filePath(relative); }

    // Writes `name` into `folder`'s tarnel/ (or straight into the working folder) and returns it.
    QString Put(const QString& folder, const QString& name = QStringLiteral("tarnel.xml")) const
    {
        const QString dir = folder == "work" ? Path(folder) : Path(folder + "/tarnel");
        QDir().mkpath(dir);
        QFile file(dir + '/' + name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }

    QString Locate(const QString& name = QStringLiteral("tarnel.xml")) const
    {
        return CDataFileLocator(m_environment, Path("prog/tarnel")).Locate(name);
    }

    QTemporaryDir m_root;
    QString m_strPrevious;
    QProcessEnvironment m_environment;
};

TEST_F(DataFileLocatorTest, WorkingFolderThenUserThenEachSystemFolderThenProgramPrefix)
{
    const QString program = Put("prog");
    EXPECT_EQ(Locate(), program);
    const QString sys2 = Put("sys2");
    EXPECT_EQ(Locate(), sys2);
    const QString sys1 = Put("sys1");
    EXPECT_EQ(Locate(), sys1);
    const QString user = Put("user");
    EXPECT_EQ(Locate(), user);
    Put("work");
    EXPECT_EQ(Locate(), QStringLiteral("tarnel.xml"));  // relative, exactly as before
}

TEST_F(DataFileLocatorTest, NoCopyAnywhereGivesThePlainNameBack)
{
    Put("user", QStringLiteral("tips.txt"));
    EXPECT_EQ(Locate(QStringLiteral("tarnel.xml")), QStringLiteral("tarnel.xml"));
}

TEST_F(DataFileLocatorTest, AFolderOfThatNameIsNotTheFile)
{
    QDir(Path("work")).mkdir(QStringLiteral("tarnel.xml"));
    QDir(Path("user")).mkpath(QStringLiteral("tarnel/tarnel.xml"));
    const QString system = Put("sys1");
    EXPECT_EQ(Locate(), system);
}

TEST_F(DataFileLocatorTest, UnsetOrEmptyVariablesTakeTheDefaultFolders)
{
    m_environment.insert(QStringLiteral("XDG_DATA_HOME"), QString());
    m_environment.remove(QStringLiteral("XDG_DATA_DIRS"));
    const QStringList expected{QStringLiteral("tips.txt"),
                               Path("home") + "/.local/share/tarnel/tips.txt",
                               QStringLiteral("/usr/local/share/tarnel/tips.txt"),
                               QStringLiteral("/usr/share/tarnel/tips.txt")};
    EXPECT_EQ(CDataFileLocator(m_environment).Candidates(QStringLiteral("tips.txt")), expected);
}

TEST_F(DataFileLocatorTest, RelativeAndEmptyEntriesOfTheVariablesAreIgnored)
{
    m_environment.insert(QStringLiteral("XDG_DATA_HOME"), QStringLiteral("user"));
    m_environment.insert(QStringLiteral("XDG_DATA_DIRS"), "sys1::" + Path("sys2"));
    const QStringList expected{QStringLiteral("tips.txt"),
                               Path("home") + "/.local/share/tarnel/tips.txt",
                               Path("sys2") + "/tarnel/tips.txt"};
    EXPECT_EQ(CDataFileLocator(m_environment).Candidates(QStringLiteral("tips.txt")), expected);
}

}  // namespace
