// The text group output: see text_group_output.h.
#include "collect/datafile/text_group_output.h"

#include "platform/messages.h"

namespace tk70 {
namespace {

const char *const kTitleDataFileError = "TK70 Pro Data File Error";

}  // namespace

TextGroupOutput::TextGroupOutput(std::unique_ptr<TextLayout> layout) : m_layout(std::move(layout)) {}

Message TextGroupOutput::overwriteQuestion(const QString &path) const
{
    return fileExistsQuestion(path, QStringLiteral("Data File Overwite Warning"));
}

OpenResult TextGroupOutput::open(const QString &path, bool append, OverwritePolicy policy)
{
    using Outcome = OpenResult::Outcome;
    close();
    m_path = path;
    m_reportFailures = policy != OverwritePolicy::Retry;
    m_writeFailureShown = false;
    OutputLock lock;
    if (claim(path, lock) == Outcome::Failed)
        return {Outcome::Failed};
    if (!append && policy == OverwritePolicy::Ask && !lock.createdFile() &&
        Messages::show(overwriteQuestion(path)) != MessageAnswer::Yes)
        return {Outcome::Declined};
    if (!m_file.open(std::move(lock), append)) {
        reportOpenFailure();
        return {Outcome::Failed};
    }
    return {Outcome::Opened};
}

// Takes the file's lock: a file another collector holds is neither asked about nor
// touched.
OpenResult::Outcome TextGroupOutput::claim(const QString &path, OutputLock &lock)
{
    switch (lock.acquire(path)) {
    case OutputLock::Result::Locked: return OpenResult::Outcome::Opened;
    case OutputLock::Result::Held:
        if (m_reportFailures)
            report(outputHeldMessage(path), QLatin1String(kTitleDataFileError), MessageIcon::Stop);
        break;
    case OutputLock::Result::Failed: reportOpenFailure(); break;
    }
    return OpenResult::Outcome::Failed;
}

void TextGroupOutput::reportOpenFailure() const
{
    if (!m_reportFailures)
        return;
    report(QStringLiteral("Error Opening Output Data File\n%1.").arg(m_path), QLatin1String(kTitleDataFileError),
           MessageIcon::Stop);
}

bool TextGroupOutput::writeHeader(const HeaderFacts &facts, const std::vector<DataColumn> &columns)
{
    if (!isOpen())
        return false;
    m_file.write(m_layout->header(facts, columns));
    if (m_file.flush())
        return true;
    reportOpenFailure();
    m_file.close();
    return false;
}

void TextGroupOutput::writeSample(const QDateTime &stamp, const std::vector<DataColumn> &columns,
                                  const PointReadings &readings)
{
    if (!isOpen())
        return;
    m_file.write(m_layout->stamp(stamp));
    for (const DataColumn &column : columns) {
        m_file.write(m_layout->value(readings.reading(column.position)));
        m_file.countValue();
    }
    m_file.write("\n");
    if (!m_file.takeFailure()) {
        ++m_counts.stored;
        return;
    }
    ++m_counts.lost;
    if (!m_writeFailureShown)
        report(QStringLiteral("Error Writing Output Data File\n%1.").arg(m_path), QLatin1String(kTitleDataFileError),
               MessageIcon::Stop);
    m_writeFailureShown = true;
}

std::unique_ptr<GroupOutput> makeTextGroupOutput(const QString &fileType)
{
    std::unique_ptr<TextLayout> layout = makeTextLayout(fileType);
    if (!layout)
        return nullptr;
    return std::make_unique<TextGroupOutput>(std::move(layout));
}

}  // namespace tk70
