// Building a Tag Selection File from JSON: see build_tsf.h.
#include "tags/tsf_tool/build_tsf.h"

#include "tags/tag_doc.h"
#include "tags/tsf_tool/selection_json.h"
#include "tags/tsf_tool/tool_message_sink.h"

#include <QFile>
#include <optional>

namespace tk70 {

namespace {

// Far more than the JSON of a full selection; it keeps a pipe or device from being
// read without end.
constexpr qint64 kMaxJsonBytes = 16 * 1024 * 1024;

void printLine(const QString &path, const QString &text) { printToolLine(path + QLatin1String(": ") + text); }

std::optional<QByteArray> readJsonFile(const QString &path)
{
    QFile file(path);
    const auto unreadable = [&] {
        printLine(path, QStringLiteral("cannot be read: ") + file.errorString());
        return std::nullopt;
    };
    if (!file.open(QIODevice::ReadOnly))
        return unreadable();
    const QByteArray bytes = file.read(kMaxJsonBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return unreadable();
    if (bytes.size() > kMaxJsonBytes) {
        printLine(path, QStringLiteral("larger than %1 MiB").arg(kMaxJsonBytes / (1024 * 1024)));
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

JsonProblems readTsfJson(const QByteArray &json, CTagDoc &doc)
{
    doc.newDocument();
    return readSelectionJson(json, doc.selection());
}

bool buildTsf(const QString &jsonPath, const QString &tsfPath)
{
    const std::optional<QByteArray> json = readJsonFile(jsonPath);
    if (!json)
        return false;
    CTagDoc doc;
    const JsonProblems problems = readTsfJson(*json, doc);
    for (const QString &message : problems.messages)
        printLine(jsonPath, message);
    if (problems.errors > 0) {
        printLine(jsonPath, QStringLiteral("%1 fault(s); %2 not written").arg(problems.errors).arg(tsfPath));
        return false;
    }
    ToolMessageSink sink;
    return doc.saveDocument(tsfPath);
}

}  // namespace tk70
