#include "CommandIds.h"
#include "CommandTable.h"

#include <QKeySequence>
#include <QSet>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

QStringList KeysOf(const SCommandDef& command)
{
    return QString::fromLatin1(command.keys ? command.keys : "").split(' ', Qt::SkipEmptyParts);
}

TEST(CommandTableTest, IdsSlotsAndKeysAreEachUsedOnce)
{
    QSet<int> ids;
    QSet<int> bySlot;
    QSet<QString> keys;
    for (const SCommandDef& command : MainCommands()) {
        if (command.nID == 0)
            continue;
        EXPECT_FALSE(ids.contains(command.nID)) << command.nID;
        ids.insert(command.nID);
        if (command.nToolbarSlot > 0) {
            EXPECT_FALSE(bySlot.contains(command.nToolbarSlot)) << command.nID;
            bySlot.insert(command.nToolbarSlot);
            EXPECT_NE(command.picture, nullptr) << command.nID;
        }
        for (const QString& key : KeysOf(command)) {
            const QKeySequence sequence(key, QKeySequence::PortableText);
            EXPECT_EQ(sequence.count(), 1) << key.toStdString();
            EXPECT_FALSE(keys.contains(sequence.toString())) << key.toStdString();
            keys.insert(sequence.toString());
        }
    }
}

TEST(CommandTableTest, TheProgramsOwnCommandsHaveNoPromptAndFrameworkOnesHaveBoth)
{
    for (const SCommandDef& command : MainCommands()) {
        if (command.nID >= ID_ESCAPE && command.nID <= ID_EDIT_GOTO_LINE) {
            EXPECT_EQ(command.prompt, nullptr) << command.nID;
        } else if (command.nID >= ID_FILE_NEW && command.nID != ID_FILE_MRU_FILE1) {
            ASSERT_NE(command.prompt, nullptr) << command.nID;
            EXPECT_TRUE(QString::fromLatin1(command.prompt).contains('\n')) << command.nID;
        }
    }
}

}  // namespace
