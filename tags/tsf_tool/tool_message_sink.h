// The message sink of tk70-tsf: keeps the text of every message the document raises
// (for the JSON dump) and prints each as one line on standard error.  A document's
// "Error Loading/Saving ..." report and the file-error message that follows it are
// printed together as one line.
#pragma once

#include "platform/messages.h"

#include <QStringList>

namespace tk70 {

// Prints one line on standard error, after the program's name: "tk70-tsf: <line>".
void printToolLine(const QString &line);

class ToolMessageSink : public MessageSink {
public:
    ToolMessageSink();
    ~ToolMessageSink() override;
    ToolMessageSink(const ToolMessageSink &) = delete;
    ToolMessageSink &operator=(const ToolMessageSink &) = delete;

    MessageAnswer show(const Message &message) override;
    // Prints a held report that no file-error message followed.
    void flush();

    const QStringList &texts() const { return m_texts; }

private:
    QStringList m_texts;
    QString m_heldReport;
    MessageSink *m_previous = nullptr;
};

}  // namespace tk70
