// Writes template files into a temporary folder, loads them and captures the messages.
#pragma once

#include "MessageBox.h"
#include "RecordingTree.h"
#include "TemplateNode.h"
#include "TemplateParser.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <string>

class TemplateFixture : public ::testing::Test
{
protected:
    QString WriteFile(const std::string& bytes, const QString& name = QStringLiteral("t.xml"))
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }

    // Loads `bytes` as a template; null on failure.
    std::unique_ptr<TemplateNode> Load(const std::string& bytes)
    {
        return LoadPath(WriteFile(bytes));
    }

    std::unique_ptr<TemplateNode> LoadPath(const QString& path)
    {
        m_tree = CRecordingTree();
        CTemplateParser parser;
        return std::unique_ptr<TemplateNode>(parser.LoadFile(path, &m_tree));
    }

    // The document element of a loaded tree.
    static const TemplateNode& Doc(const std::unique_ptr<TemplateNode>& root)
    {
        return *root->children[0];
    }

    QTemporaryDir m_dir;
    CMessageCapture m_messages;
    CRecordingTree m_tree;
};
