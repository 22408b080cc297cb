// The tag selection document: see tag_doc.h.
#include "tags/tag_doc.h"

#include "platform/messages.h"
#include "tags/tag_doc_host.h"
#include "tags/tsf_format.h"
#include "tags/tsf_messages.h"
#include "tags/tsf_reader.h"
#include "tags/tsf_writer.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <optional>

namespace tk70 {

namespace {

void warn(const QString &text, MessageIcon icon = MessageIcon::Warning)
{
    Messages::note(text, QString::fromLatin1(kTitleWarning), icon);
}

// Reads the file at path into bytes, or gives the error that stopped it.  Reads in
// chunks, so a device without a size (a pipe, /dev/zero) is bounded as well.
std::optional<FileError> readWholeFile(const QString &path, QByteArray &bytes)
{
    QFile file(path);
    const auto failure = [&](FileErrorKind kind) { return FileError{kind, path, false}; };
    if (!file.open(QIODevice::ReadOnly))
        return failure(fileErrorKind(file, path, false));
    if (file.size() > Tsf::kMaxFileBytes)
        return failure(FileErrorKind::UnexpectedFormat);
    bytes.reserve(qsizetype(file.size()));
    char chunk[64 * 1024];
    for (;;) {
        const qint64 n = file.read(chunk, sizeof chunk);
        if (n < 0)
            return failure(fileErrorKind(file, path, false));
        if (n == 0)
            return std::nullopt;
        if (bytes.size() + n > Tsf::kMaxFileBytes)
            return failure(FileErrorKind::UnexpectedFormat);
        bytes.append(chunk, qsizetype(n));
    }
}

}  // namespace

CTagDoc::CTagDoc(CTagDocHost *host) : m_host(host), m_savedImage(writeTsf()) {}

void CTagDoc::newDocument()
{
    m_selection = TagSelection();
    m_currentGraph = 0;
    m_pathName.clear();
    m_savedImage = writeTsf();
}

void CTagDoc::setCurrentGraphIndex(int index) { m_currentGraph = std::clamp(index, 0, TrendGraph::kGraphCount - 1); }

int CTagDoc::graphsWithTraces() const
{
    return int(std::count_if(m_selection.graphs.begin(), m_selection.graphs.end(),
                             [](const TrendGraph &graph) { return graph.traceCount != 0; }));
}

void CTagDoc::reportFileError(const FileError &error) const
{
    const char *const first = error.saving ? TsfMessages::kErrorSaving : TsfMessages::kErrorLoading;
    warn(QString::fromLatin1(first) + error.path);
    warn(error.text());
}

bool CTagDoc::loadTsf(QByteArrayView bytes, const QString &path)
{
    TsfReadResult result = TsfReader::read(bytes);
    if (result.tagsLimited)
        warn(QString::fromLatin1(TsfMessages::kTagsLimited));
    if (result.status == TsfReadResult::Status::DataEnded) {
        reportFileError(FileError{FileErrorKind::UnexpectedFormat, path, false});
        return false;
    }
    if (result.status == TsfReadResult::Status::Invalid)
        warn(QString::fromLatin1(TsfMessages::kInvalidFormat));
    m_selection = std::move(result.selection);
    m_currentGraph = 0;
    return true;
}

QByteArray CTagDoc::writeTsf() const { return TsfWriter::write(m_selection); }

bool CTagDoc::openDocument(const QString &path)
{
    QByteArray bytes;
    if (const std::optional<FileError> error = readWholeFile(path, bytes)) {
        reportFileError(*error);
        return false;
    }
    if (!loadTsf(bytes, path))
        return false;
    m_pathName = path;
    m_savedImage = writeTsf();
    if (m_host)
        m_host->setLinkSettings(comPort(), baudRate());
    return true;
}

bool CTagDoc::saveAllowed()
{
    if (!m_host)
        return true;
    if ((!m_host->tagEditorOpen() && !m_host->trendSetupOpen()) || m_host->isCollecting() ||
        !m_host->hasCurrentDocument())
        return false;
    if (m_host->trendSetupOpen() && !m_host->trendSetupPageValid()) {
        warn(QString::fromLatin1(TsfMessages::kSaveErrorTrendSetup), MessageIcon::Stop);
        return false;
    }
    if (m_host->tagEditorOpen() && !m_host->tagEditorPageValid()) {
        warn(QString::fromLatin1(TsfMessages::kSaveErrorTagSettings), MessageIcon::Stop);
        return false;
    }
    m_host->copyOpenPagesIntoDocument();
    return true;
}

bool CTagDoc::writeFile(const QString &path)
{
    const QByteArray bytes = writeTsf();
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
        m_savedImage = bytes;
        return true;
    }
    reportFileError(FileError{fileErrorKind(file, path, true), path, true});
    return false;
}

bool CTagDoc::saveDocument(const QString &path)
{
    if (!saveAllowed() || !writeFile(path))
        return false;
    m_pathName = path;
    return true;
}

QString CTagDoc::title() const
{
    const QString name = QFileInfo(m_pathName).fileName();
    return name.isEmpty() ? QStringLiteral("Untitled") : name;
}

}  // namespace tk70
