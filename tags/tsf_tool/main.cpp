// tk70-tsf: makes, shows and exports Tag Selection Files from the command line.
//
//   tk70-tsf new FILE               writes a new-document TSF
//   tk70-tsf build JSON FILE        writes the TSF that a JSON file describes
//   tk70-tsf dump [--json] FILE     prints everything in a TSF
//   tk70-tsf export-tags FILE       prints its tags as a delimited tag list
//   tk70-tsf import-dos FILE OUT    imports a TK70 (DOS) tag selection file into OUT
//   tk70-tsf import-list FILE OUT   imports a delimited tag list into OUT
//
// Exit status 0 on success, 1 when a file cannot be read or written, the JSON is refused
// or an import refuses its file (OUT is then not written), 2 for a wrong command line.
// The messages a document or an import raises go to standard error, one line each.
#include "tags/tag_doc.h"
#include "tags/tsf_tool/build_tsf.h"
#include "tags/tsf_tool/dump_json.h"
#include "tags/tsf_tool/dump_text.h"
#include "tags/tsf_tool/import_commands.h"
#include "tags/tsf_tool/tag_list_export.h"
#include "tags/tsf_tool/tool_message_sink.h"

#include <QStringList>
#include <cstdio>

using namespace tk70;

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFileError = 1;
constexpr int kExitUsage = 2;

const char *const kUsage = "usage: tk70-tsf new FILE\n"
                           "       tk70-tsf build JSON FILE\n"
                           "       tk70-tsf dump [--json] FILE\n"
                           "       tk70-tsf export-tags FILE\n"
                           "       tk70-tsf import-dos FILE OUT.tsf\n"
                           "       tk70-tsf import-list FILE OUT.tsf\n";

void writeStdout(const QByteArray &bytes) { std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout); }

int usage(int status)
{
    std::fputs(kUsage, status == kExitOk ? stdout : stderr);
    return status;
}

int runNew(const QString &path)
{
    ToolMessageSink sink;
    CTagDoc doc;
    doc.newDocument();
    return doc.saveDocument(path) ? kExitOk : kExitFileError;
}

int runDump(const QString &path, bool json)
{
    ToolMessageSink sink;
    CTagDoc doc;
    if (!doc.openDocument(path))
        return kExitFileError;
    sink.flush();
    writeStdout(json ? dumpJson(doc, sink.texts()) : dumpText(doc).toUtf8());
    return kExitOk;
}

int runExportTags(const QString &path)
{
    ToolMessageSink sink;
    CTagDoc doc;
    if (!doc.openDocument(path))
        return kExitFileError;
    const TagListExport list = exportTagList(doc.tags());
    for (const QString &note : list.notes)
        printToolLine(note);
    writeStdout(list.text);
    return kExitOk;
}

// The commands that read one file and write another.
int runWithOutput(const QString &command, const QString &source, const QString &out)
{
    bool ok = false;
    if (command == QLatin1String("build"))
        ok = buildTsf(source, out);
    else if (command == QLatin1String("import-dos"))
        ok = runImport(ImportKind::DosTsf, source, out);
    else if (command == QLatin1String("import-list"))
        ok = runImport(ImportKind::DelimitedList, source, out);
    else
        return usage(kExitUsage);
    return ok ? kExitOk : kExitFileError;
}

int run(QStringList args)
{
    if (args.size() == 1 && (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")))
        return usage(kExitOk);
    const bool json = args.removeAll(QStringLiteral("--json")) > 0;
    if (!json && args.size() == 3)
        return runWithOutput(args[0], args[1], args[2]);
    if (args.size() != 2)
        return usage(kExitUsage);
    const QString &command = args[0];
    const QString &path = args[1];
    if (command == QLatin1String("dump"))
        return runDump(path, json);
    if (json)
        return usage(kExitUsage);
    if (command == QLatin1String("new"))
        return runNew(path);
    if (command == QLatin1String("export-tags"))
        return runExportTags(path);
    return usage(kExitUsage);
}

}  // namespace

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const int status = run(args);
    std::fflush(stdout);
    return std::ferror(stdout) ? kExitFileError : status;
}
