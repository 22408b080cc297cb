// The tag editor's printout on a PDF printer, and the screenshot of the form for review.
#include "tests/tags/view/tag_view_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>

TEST_F(TagViewTest, PrintingToAPdfWritesAFile)
{
    open(30);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("tags.pdf"));
    m_view->print(&printer);
    QFileInfo pdf(dir.filePath("tags.pdf"));
    ASSERT_TRUE(pdf.exists());
    EXPECT_GT(pdf.size(), 1000);
}

TEST_F(TagViewTest, ScreenshotOfTheEditorWithADozenTags)
{
    const char *names[] = {"FIC-101", "FIC-102", "TIC-201", "TI-202", "PIC-301", "LIC-401",
                           "AI-501",  "FV-101",  "HS-601",  "XV-602", "SP-701",  "PV-701"};
    for (int slot = 0; slot < 12; ++slot) {
        tk70::TagRecord tag;
        tag.tagname = names[slot];
        tag.loop = 1;
        tag.pcu = 10 + slot / 4;
        tag.module = 2 + slot % 3;
        tag.block = 1000 + 25 * slot;
        tag.pointType = slot % 10;
        tag.description = QStringLiteral("Unit 1 process point %1").arg(slot + 1);
        tag.groups = {1, slot % 2, slot % 3 == 0 ? 1 : 0, 0};
        m_doc.setTag(slot, tag);
    }
    m_doc.tags().setCount(12);
    open(0);
    m_doc.tags().setCount(12);
    m_view->refreshRows();
    QDir().mkpath(TK70_BINARY_DIR "/screenshots");
    QString path = TK70_BINARY_DIR "/screenshots/tag-editor.png";
    ASSERT_TRUE(m_view->grab().save(path));
    EXPECT_TRUE(QFileInfo::exists(path));
}
