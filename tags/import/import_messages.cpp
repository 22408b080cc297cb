// The import messages: see import_messages.h.
#include "tags/import/import_messages.h"

#include "platform/messages.h"

namespace tk70::ImportMessages {

void stop(const QString &text) { Messages::note(text, QString::fromLatin1(kTitleProgram), MessageIcon::Stop); }

void warn(const QString &text) { Messages::note(text, QString::fromLatin1(kTitleProgram), MessageIcon::Warning); }

void formatHelp()
{
    Messages::note(QString::fromLatin1(kListFormatHelp), QString::fromLatin1(kTitleProgram), MessageIcon::Information);
}

}  // namespace tk70::ImportMessages
