// Runs a command-line program of the project in tests (the one TK70_TOOL_PROGRAM names
// when the test program is compiled): one run with its exit status and both outputs,
// and a fixture that keeps its files in a temporary directory.
#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tk70::test {

struct ToolRun {
    int exitCode = -1;  // -1: the program did not end normally within 30 s
    QByteArray out;
    QByteArray err;
};

ToolRun runTool(const QStringList &args);

// The bytes of the file at path; empty when it cannot be read.
QByteArray fileBytes(const QString &path);

class ToolFiles : public ::testing::Test {
protected:
    // Writes bytes to name in the temporary directory and returns its path.
    QString write(const char *name, const QByteArray &bytes);
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
};

}  // namespace tk70::test
