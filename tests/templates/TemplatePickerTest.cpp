// Finding the template that fits a document in the user's template folder.
#include "TemplatePicker.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(TemplatePickerTest, IdentifiesADocumentByItsStart)
{
    struct SCase
    {
        const char* head;
        const char* root;
        const char* ns;
        const char* system;
    };
    const SCase cases[] = {
        {"<?xml version=\"1.0\"?>\n<!-- <x> -->\n<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 "
         "Strict//EN\" \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\n"
         "<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">",
         "html", "http://www.w3.org/1999/xhtml",
         "http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd"},
        {"<svg:svg xmlns='urn:other' xmlns:svg='http://www.w3.org/2000/svg'>", "svg:svg",
         "http://www.w3.org/2000/svg", ""},
        {"<!DOCTYPE note SYSTEM \"note.dtd\" [ <!ENTITY e \"x\"> ]><note/>", "note", "",
         "note.dtd"},
        {"plain text", "", "", ""},
    };
    for (const SCase& c : cases) {
        const SDocumentIdentity identity = IdentifyDocument(QByteArray(c.head));
        EXPECT_EQ(identity.strRootName.toStdString(), c.root) << c.head;
        EXPECT_EQ(identity.strNamespace.toStdString(), c.ns) << c.head;
        EXPECT_EQ(identity.strDoctypeSystem.toStdString(), c.system) << c.head;
    }
}

TEST(TemplatePickerTest, PicksByDoctypeThenNamespaceThenDocumentElement)
{
    QTemporaryDir dir;
    const auto write = [&dir](const char* name, const char* text) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write("a.xml", "<book><title/></book>");
    write("b.xsd", "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                   "targetNamespace=\"urn:x\"/>");
    write("note.dtd", "<!ELEMENT note (#PCDATA)>");
    write("broken.xml", "<book>");
    struct SCase
    {
        SDocumentIdentity identity;
        const char* file;
        const char* reason;
    };
    const SCase cases[] = {
        {{QStringLiteral("book"), QStringLiteral("urn:x"), QStringLiteral("http://h/note.dtd")},
         "note.dtd",
         "DOCTYPE"},
        {{QStringLiteral("book"), QStringLiteral("urn:x"), QString()}, "b.xsd", "namespace"},
        {{QStringLiteral("book"), QStringLiteral("urn:y"), QString()}, "a.xml", "document element"},
        {{QStringLiteral("zzz"), QString(), QStringLiteral("other.dtd")}, "", ""},
    };
    for (const SCase& c : cases) {
        const STemplatePick pick = PickTemplate(dir.path(), c.identity);
        EXPECT_EQ(QFileInfo(pick.strPath).fileName().toStdString(), c.file);
        EXPECT_EQ(pick.strReason.toStdString(), c.reason);
    }
}

TEST(TemplatePickerTest, UsesTheUsersDataFolder)
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("HOME"), QStringLiteral("/home/u"));
    EXPECT_EQ(UserTemplateFolder(environment),
              QStringLiteral("/home/u/.local/share/tarnel/templates"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), QStringLiteral("/d"));
    EXPECT_EQ(UserTemplateFolder(environment), QStringLiteral("/d/tarnel/templates"));
}

}  // namespace
