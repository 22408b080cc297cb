// The tool's message sink: see tool_message_sink.h.
#include "tags/tsf_tool/tool_message_sink.h"

#include "tags/tsf_messages.h"

#include <cstdio>

namespace tk70 {

namespace {

QString oneLine(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

bool isFileReport(const QString &text)
{
    return text.startsWith(QLatin1String(TsfMessages::kErrorLoading)) ||
           text.startsWith(QLatin1String(TsfMessages::kErrorSaving));
}

}  // namespace

void printToolLine(const QString &line) { std::fprintf(stderr, "tk70-tsf: %s\n", line.toUtf8().constData()); }

ToolMessageSink::ToolMessageSink() : m_previous(Messages::install(this)) {}

ToolMessageSink::~ToolMessageSink()
{
    flush();
    Messages::install(m_previous);
}

MessageAnswer ToolMessageSink::show(const Message &message)
{
    m_texts.append(message.text);
    if (isFileReport(message.text)) {
        flush();
        m_heldReport = oneLine(message.text);
    } else if (!m_heldReport.isEmpty()) {
        printToolLine(m_heldReport + QLatin1String(": ") + oneLine(message.text));
        m_heldReport.clear();
    } else {
        printToolLine(oneLine(message.text));
    }
    return message.defaultAnswer;
}

void ToolMessageSink::flush()
{
    if (m_heldReport.isEmpty())
        return;
    printToolLine(m_heldReport);
    m_heldReport.clear();
}

}  // namespace tk70
