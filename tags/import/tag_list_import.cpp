// The delimited tag list import: see tag_list_import.h.
#include "tags/import/tag_list_import.h"

#include "tags/import/import_messages.h"
#include "tags/import/import_result.h"
#include "tags/import/tag_list_line.h"
#include "tags/tag_doc.h"

#include <QFile>
#include <optional>

namespace tk70 {

namespace {

constexpr qint64 kMaxLineChars = 398;
// Blank lines are passed over up to this much of the file, so a device that never ends
// (or a huge file of blanks) cannot hold the import.
constexpr qint64 kMaxBytesScanned = 4 * 1024 * 1024;

// The lines of the file that are not blank, each as read with its line end.
class LineSource {
public:
    explicit LineSource(QIODevice &device) : m_device(device) {}

    std::optional<QByteArray> next()
    {
        while (m_scanned < kMaxBytesScanned) {
            char buffer[kMaxLineChars + 1];
            const qint64 n = m_device.readLine(buffer, sizeof buffer);
            if (n <= 0 && !(n == 0 && m_device.waitForReadyRead(-1)))
                return std::nullopt;
            m_scanned += n;
            const QByteArray line(buffer, qsizetype(n));
            if (!isBlankTagListLine(line))
                return line;
        }
        return std::nullopt;
    }

private:
    QIODevice &m_device;
    qint64 m_scanned = 0;
};

const char *faultText(TagListFault fault)
{
    using namespace ImportMessages;
    switch (fault) {
    case TagListFault::BinaryData: return kListBinaryData;
    case TagListFault::BlankTagname: return kListBlankTagname;
    case TagListFault::Tagname: return kListTagname;
    case TagListFault::Loop: return kListLoop;
    case TagListFault::Pcu: return kListPcu;
    case TagListFault::Module: return kListModule;
    case TagListFault::Block: return kListBlock;
    case TagListFault::PointType: return kListPointType;
    case TagListFault::Description: return kListDescription;
    case TagListFault::None: break;
    }
    return "";
}

// The message of a refused line, then the format help.  Binary data and an empty
// tagname give no tagname worth showing, so their messages name the line only.
void reportFault(const TagListLine &line, int tagNumber)
{
    const char *const text = faultText(line.fault);
    const bool nameShown = line.fault != TagListFault::BinaryData && line.fault != TagListFault::BlankTagname;
    const QString message = nameShown ? QString::asprintf(text, tagNumber, line.tag.tagname.toLatin1().constData())
                                      : QString::asprintf(text, tagNumber);
    ImportMessages::stop(message);
    ImportMessages::formatHelp();
}

}  // namespace

bool importDelimitedTagList(const QString &path, CTagDoc &target)
{
    return importFromFile(path, ImportMessages::kListOpenError,
                          [&target](QIODevice &file) { return importDelimitedTagList(file, target); });
}

bool importDelimitedTagList(QIODevice &device, CTagDoc &target)
{
    LineSource lines(device);
    TagSelection selection;
    TagTable &tags = selection.tags;
    int count = 0;
    for (; count < tags.capacity(); ++count) {
        const std::optional<QByteArray> line = lines.next();
        if (!line)
            break;
        const TagListLine parsed = parseTagListLine(*line);
        if (parsed.fault != TagListFault::None) {
            reportFault(parsed, count + 1);
            return false;
        }
        tags.setRecord(count, parsed.tag);
    }
    if (count == 0) {
        ImportMessages::stop(QString::fromLatin1(ImportMessages::kListNoLine));
        ImportMessages::formatHelp();
        return false;
    }
    tags.setCount(count);
    const bool limited = count == tags.capacity() && lines.next().has_value();

    adoptImportedSelection(target, selection, limited);
    return true;
}

}  // namespace tk70
