// Tests of `tk70-tsf import-dos` and `tk70-tsf import-list`: an accepted file is saved as a
// tag selection file, a refused one exits with status 1, its messages on standard error,
// and leaves the output file alone.
#include "tags/tag_doc.h"
#include "tests/support/tool_run.h"

#include <QFile>
#include <gtest/gtest.h>

using tk70::test::runTool;
using tk70::test::ToolRun;

namespace {

using ImportTool = tk70::test::ToolFiles;

struct Case {
    const char *command;
    QByteArray input;
    int exitCode;
    int tags;               // in the file written
    const char *stderrHas;  // a piece of the first message, or empty
};

}  // namespace

TEST_F(ImportTool, WritesAcceptedFilesOnly)
{
    const QByteArray dos("\x21\x30\x01\x00"
                         "\x0C\x01\x02\x00\x5F\x0D\x00\x00"
                         "\0\0\0\0\0\0\0\0"
                         "\0\0\0\0\0\0\x59\x40"
                         "FT101\0\0\0\0\0",
                         38);
    const Case cases[] = {
        {"import-dos", dos, 0, 1, ""},
        {"import-dos", QByteArray("\x22\x30\x00\x00", 4), 1, 0, "Incorrect Tag Selection File format."},
        {"import-list", "FT101,1,12,2,3423,AE,Flow\n", 0, 1, ""},
        {"import-list", "FT101,0x1,12,2,3423,AE,Flow\n", 1, 0, "Loop Address Contains a Non Numeric Character."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.input.toStdString());
        const QString out = path("out.tsf");
        QFile::remove(out);
        const ToolRun run = runTool({QLatin1String(c.command), write("in", c.input), out});
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.constData();
        EXPECT_TRUE(run.err.contains(c.stderrHas)) << run.err.constData();
        if (c.exitCode != 0) {
            EXPECT_FALSE(QFile::exists(out));
            continue;
        }
        tk70::CTagDoc doc;
        ASSERT_TRUE(doc.openDocument(out));
        EXPECT_EQ(doc.tagCount(), c.tags);
        EXPECT_EQ(doc.tag(0).tagname, QStringLiteral("FT101"));
        EXPECT_EQ(doc.tag(0).addressText(), QStringLiteral("01-12-02-3423"));
    }
    const ToolRun missing = runTool({QStringLiteral("import-list"), path("none"), path("out.tsf")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("Error Opening Delimited Tag List File.")) << missing.err.constData();
}
