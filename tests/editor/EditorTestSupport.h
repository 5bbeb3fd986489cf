// A document with its editor view, as the main window sets them up, for the editor's tests.
#pragma once

#include "MarkupScanner.h"
#include "TarnelDoc.h"
#include "TarnelView.h"
#include "TemplateNode.h"
#include "TemplateTree.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

// A tree pane that only holds a selected node and counts what is done to it.
class CFakeTree : public ITemplateTree
{
public:
    Item InsertItem(const std::string&, Item) override { return ++m_nItems, &m_nItems; }
    void SetItemData(Item, TemplateNode*) override {}
    void DeleteAllItems() override { ++m_nDeleteAll; }
    TemplateNode* GetSelectedNode() const override { return m_pSelected; }
    void FocusPane() override { ++m_nFocus; }

    TemplateNode* m_pSelected = nullptr;
    int m_nItems = 0;
    int m_nDeleteAll = 0;
    int m_nFocus = 0;
};

// Each byte of the text followed by its style.
inline QByteArray StyledText(CTarnelView& view)
{
    const long long nLength = view.TextLength();
    QByteArray styled(2 * nLength + 2, Qt::Uninitialized);
    view.SendScintilla(QsciScintillaBase::SCI_GETSTYLEDTEXT, 0L, static_cast<long>(nLength),
                       styled.data());
    return styled;
}

struct SEditorFixture
{
    SEditorFixture()
    {
        view.resize(500, 300);
        view.OnInitialUpdate();
    }

    void SetText(const QByteArray& text) { view.LoadBytes(text, true); }
    // Lets the editor be idle until an opened text is coloured.
    void WaitForColours()
    {
        for (int i = 0; i < 100000 && view.ColoursPending(); ++i)
            QCoreApplication::processEvents();
    }
    QByteArray Text() const { return view.TextBytes(); }
    long long Send(unsigned int nMsg, long long w = 0, long long l = 0)
    {
        return view.SendScintilla(nMsg, static_cast<unsigned long>(w), static_cast<long>(l));
    }
    void Select(long long start, long long end) { Send(QsciScintillaBase::SCI_SETSEL, start, end); }
    long long SelStart() { return Send(QsciScintillaBase::SCI_GETSELECTIONSTART); }
    long long SelEnd() { return Send(QsciScintillaBase::SCI_GETSELECTIONEND); }
    int StyleAt(long long offset)
    {
        return static_cast<int>(Send(QsciScintillaBase::SCI_GETSTYLEAT, offset));
    }
    std::vector<int> Styles(long long start, long long end)
    {
        std::vector<int> styles;
        for (long long i = start; i < end; ++i)
            styles.push_back(StyleAt(i));
        return styles;
    }

    CTarnelDoc doc;
    CTarnelView view{&doc};
};

// A temporary folder for the files a test opens and saves.
struct STestFolder
{
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }
    QString WriteFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(PathOf(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    static QByteArray ReadFile(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QTemporaryDir m_dir;
};
