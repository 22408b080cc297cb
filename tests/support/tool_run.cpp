// Running a command-line program in tests: see tool_run.h.
#include "tests/support/tool_run.h"

#include <QFile>
#include <QProcess>

namespace tk70::test {

ToolRun runTool(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(TK70_TOOL_PROGRAM), args);
    ToolRun run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString ToolFiles::write(const char *name, const QByteArray &bytes)
{
    const QString filePath = path(name);
    QFile file(filePath);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return filePath;
}

}  // namespace tk70::test
