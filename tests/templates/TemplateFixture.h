// Writes template files into a temporary folder, loads them and keeps the loader's messages.
#pragma once

#include "RecordingTree.h"
#include "TemplateNode.h"
#include "TemplateParser.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <string>

// The loader's failure messages, in the order they came.
class CLoaderMessages
{
public:
    void Add(const QString& text) { m_messages.append(text); }
    void Clear() { m_messages.clear(); }
    const QStringList& Messages() const { return m_messages; }

private:
    QStringList m_messages;
};

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
        std::unique_ptr<TemplateNode> root(parser.LoadFile(path, &m_tree));
        if (!parser.ErrorMessage().isEmpty())
            m_messages.Add(parser.ErrorMessage());
        return root;
    }

    // The document element of a loaded tree.
    static const TemplateNode& Doc(const std::unique_ptr<TemplateNode>& root)
    {
        return *root->children[0];
    }

    QTemporaryDir m_dir;
    CLoaderMessages m_messages;
    CRecordingTree m_tree;
};
