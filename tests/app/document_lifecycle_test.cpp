// The life of the current document without a window: real documents and files in a
// temporary folder, the settings store in a file of its own, file names from a script,
// and the questions answered by the message recorder.
#include "app/document/document_lifecycle.h"
#include "app/document/file_chooser.h"
#include "platform/registry/settings_store.h"
#include "tags/tag_doc.h"
#include "tags/tag_doc_host.h"
#include "tests/support/message_recorder.h"

#include <QFile>
#include <QTemporaryDir>
#include <deque>
#include <gtest/gtest.h>
#include <memory>

namespace {

using namespace tk70;
using tk70test::MessageRecorder;

// File names as a user would type them, one per question; empty once the script ends.
class ScriptedChooser : public FileChooser {
public:
    std::deque<QString> names;
    int asked = 0;

    QString tagSelectionToOpen() override { return next(); }
    QString tagSelectionToSave(const QString &) override { return next(); }
    QString importToOpen(bool) override { return next(); }
    QString historicalFileToOpen(bool) override { return next(); }

private:
    QString next()
    {
        ++asked;
        if (names.empty())
            return {};
        QString name = names.front();
        names.pop_front();
        return name;
    }
};

class DocumentLifecycleTest : public ::testing::Test {
protected:
    DocumentLifecycleTest()
        : m_store(m_dir.filePath(QStringLiteral("registry"))),
          m_documents(m_host, m_store, m_chooser,
                      DocumentHooks{[this] { ++m_released; }, [this] { ++m_shown; }, [this] { return m_inUse; }})
    {
        m_documents.recentFiles().load();
        m_documents.newDocument();
    }

    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    CTagDoc &document() { return *m_documents.document(); }
    void addTag(const char *name)
    {
        TagRecord tag;
        tag.tagname = QString::fromLatin1(name);
        tag.loop = 1;
        const int slot = document().tagCount();
        document().tags().setCount(slot + 1);
        document().setTag(slot, tag);
    }
    // A saved selection of one tag at name.
    QString savedSelection(const char *name)
    {
        addTag("FT101");
        EXPECT_TRUE(document().saveDocument(path(name)));
        m_documents.newDocument();
        return path(name);
    }

    QTemporaryDir m_dir;
    MessageRecorder m_messages;
    CTagDocHost m_host;
    SettingsStore m_store;
    ScriptedChooser m_chooser;
    DocumentLifecycle m_documents;
    int m_released = 0;
    int m_shown = 0;
    bool m_inUse = false;
};

TEST_F(DocumentLifecycleTest, SaveAsAddsTheExtensionAndPutsTheFileFirstInTheRecentList)
{
    addTag("FT101");
    m_chooser.names = {path("plant")};
    ASSERT_TRUE(m_documents.fileSaveAs());
    EXPECT_TRUE(QFile::exists(path("plant.TSF")));
    EXPECT_EQ(m_documents.title(), QStringLiteral("plant.TSF"));
    EXPECT_EQ(m_documents.recentFiles().at(0), path("plant.TSF"));

    m_chooser.names = {};  // a cancelled Save As writes nothing
    EXPECT_FALSE(m_documents.fileSaveAs());
    EXPECT_TRUE(m_documents.fileSave());  // Save keeps the file's name without asking
    EXPECT_EQ(m_chooser.asked, 2);
}

TEST_F(DocumentLifecycleTest, TheRecentListKeepsFourFilesNewestFirstEachOnce)
{
    const char *names[] = {"a.tsf", "b.tsf", "c.tsf", "d.tsf", "e.tsf"};
    for (const char *name : names)
        m_documents.openDocument(savedSelection(name));
    m_documents.openDocument(path("c.tsf"));
    const QStringList expected{path("c.tsf"), path("e.tsf"), path("d.tsf"), path("b.tsf")};
    EXPECT_EQ(m_documents.recentFiles().files(), expected);

    RecentFiles reread(m_store);  // what the next start finds
    reread.load();
    EXPECT_EQ(reread.files(), expected);
}

TEST_F(DocumentLifecycleTest, ARecentFileThatIsGoneLeavesTheListAndANewDocumentStays)
{
    const QString gone = savedSelection("gone.tsf");
    ASSERT_TRUE(m_documents.openDocument(gone));
    ASSERT_TRUE(QFile::remove(gone));
    m_documents.newDocument();
    m_documents.openRecent(0);
    EXPECT_TRUE(m_documents.recentFiles().files().isEmpty());
    ASSERT_NE(m_documents.document(), nullptr);
    EXPECT_EQ(document().tagCount(), 0);
}

TEST_F(DocumentLifecycleTest, UnsavedChangesAreOfferedAndCancelKeepsTheDocument)
{
    addTag("FT101");
    m_messages.answer(MessageAnswer::Cancel);
    EXPECT_FALSE(m_documents.close());

    ASSERT_NE(m_documents.document(), nullptr);
    EXPECT_EQ(m_messages.texts().back(), QStringLiteral("Save changes to TK70 Pro?"));

    m_messages.answer(MessageAnswer::No);  // closes without writing
    EXPECT_TRUE(m_documents.close());
    EXPECT_EQ(m_documents.document(), nullptr);
    EXPECT_EQ(m_chooser.asked, 0);
}

TEST_F(DocumentLifecycleTest, YesSavesBeforeClosingAndACancelledNameKeepsTheDocument)
{
    addTag("FT101");
    m_messages.answer(MessageAnswer::Yes);  // Save As is asked for a name: none given
    EXPECT_FALSE(m_documents.close());
    EXPECT_NE(m_documents.document(), nullptr);

    m_messages.answer(MessageAnswer::Yes);
    m_chooser.names = {path("kept.tsf")};
    EXPECT_TRUE(m_documents.close());
    EXPECT_TRUE(QFile::exists(path("kept.tsf")));
}

TEST_F(DocumentLifecycleTest, ADocumentInUseIsNeverAskedAbout)
{
    addTag("FT101");
    m_inUse = true;
    EXPECT_TRUE(m_documents.saveModified());
    EXPECT_TRUE(m_messages.messages().empty());
}

TEST_F(DocumentLifecycleTest, OverwritingTagsIsAskedAndCancelChangesNothing)
{
    const QString other = savedSelection("other.tsf");
    addTag("PT200");
    const int released = m_released;
    m_messages.answer(MessageAnswer::Cancel);
    m_documents.fileOpen(other);
    EXPECT_EQ(m_messages.texts().back(), QStringLiteral("Overwrite Existing Tag Selection & Trend Settings?"));
    EXPECT_EQ(document().tag(0).tagname, QStringLiteral("PT200"));
    EXPECT_EQ(m_released, released);

    m_messages.answer(MessageAnswer::Ok);
    m_documents.fileOpen(other);
    EXPECT_EQ(document().tag(0).tagname, QStringLiteral("FT101"));
    EXPECT_EQ(m_released, released + 1);  // the old document's windows went first
}

TEST_F(DocumentLifecycleTest, AFileThatCannotBeOpenedLeavesANewDocument)
{
    QFile junk(path("junk.tsf"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a tag selection");
    junk.close();
    addTag("FT101");
    m_messages.answer(MessageAnswer::Ok);  // overwrite the current tags
    m_chooser.names = {path("junk.tsf")};
    m_documents.fileOpen(QString());
    ASSERT_NE(m_documents.document(), nullptr);
    EXPECT_EQ(document().tagCount(), 0);
    EXPECT_TRUE(m_documents.recentFiles().files().isEmpty());
    EXPECT_GE(m_messages.messages().size(), 2u);  // the question, then why the file was refused
}

}  // namespace
