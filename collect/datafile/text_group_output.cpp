// The text group output: see text_group_output.h.
#include "text_group_output.h"

#include "messages.h"

#include <QFileInfo>

namespace tk70 {
namespace {

// Asks whether an existing file may be replaced; returns true for Yes.
bool overwriteConfirmed(const QString &path)
{
    Message question;
    question.text = QStringLiteral("File %1 Already Exists\n\nDo you want to overwrite ?").arg(path);
    question.title = QStringLiteral("Data File Overwite Warning");
    question.icon = MessageIcon::Question;
    question.buttons = MessageButtons::YesNo;
    question.defaultAnswer = MessageAnswer::No;
    return Messages::show(question) == MessageAnswer::Yes;
}

}  // namespace

TextGroupOutput::TextGroupOutput(std::unique_ptr<TextLayout> layout) : m_layout(std::move(layout)) {}

OpenResult TextGroupOutput::open(const QString &path, bool append, OverwritePolicy policy)
{
    using Outcome = OpenResult::Outcome;
    close();
    if (!append && policy == OverwritePolicy::Ask && QFileInfo::exists(path) && !overwriteConfirmed(path))
        return {Outcome::Declined};
    m_path = path;
    m_reportFailures = policy != OverwritePolicy::Retry;
    if (!m_file.open(path, append)) {
        reportOpenFailure();
        return {Outcome::Failed};
    }
    return {Outcome::Opened};
}

void TextGroupOutput::reportOpenFailure() const
{
    if (!m_reportFailures)
        return;
    Messages::note(QStringLiteral("Error Opening Output Data File\n%1.").arg(m_path),
                   QStringLiteral("TK70 Pro Data File Error"), MessageIcon::Stop);
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
}

std::unique_ptr<GroupOutput> makeTextGroupOutput(const QString &fileType)
{
    std::unique_ptr<TextLayout> layout = makeTextLayout(fileType);
    if (!layout)
        return nullptr;
    return std::make_unique<TextGroupOutput>(std::move(layout));
}

}  // namespace tk70
