// The message service: every message box of the program goes through here.
//
// A message has its text, title, icon, buttons and default button.  The program installs
// a sink that beeps and shows a real box; tests install a recorder that keeps the texts
// and answers from a script; libraries without widgets only ever call show().  Without
// an installed sink a message goes to standard error and is answered with its default
// button, which is what a program without a screen wants.
#pragma once

#include "core/product.h"

#include <QString>
#include <functional>

namespace tk70 {

enum class MessageIcon { Stop, Warning, Question, Information, Exclamation, None };  // None: a plain box
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No, Retry };

struct Message {
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer defaultAnswer = MessageAnswer::Ok;
};

// The product's message titles.
inline const char *const kTitleProgram = kProductName;
inline const char *const kTitleError = "TK70 Pro Error";
inline const char *const kTitleWarning = "TK70 Pro Warning";
inline const char *const kTitleCaution = "TK70 Pro Caution";
inline const char *const kTitleTuning = "TK70 Pro Tuning";

// Receives the answer to a question asked without waiting.
using AnswerHandler = std::function<void(MessageAnswer)>;

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual MessageAnswer show(const Message &message) = 0;
    // Shows an OK message without waiting for it to be read; a sink that cannot do
    // that shows it as show() does.
    virtual void post(const Message &message) { show(message); }
    // Asks without waiting for the answer, which reaches handler later (from the event
    // loop); a sink that cannot do that answers at once, inside the call.
    virtual void ask(const Message &message, AnswerHandler handler) { handler(show(message)); }
};

namespace Messages {

// Shows a message through the installed sink and returns the answer.
MessageAnswer show(const Message &message);
// A Yes/No question under title (No the default unless defaultAnswer says Yes).
Message yesNoQuestion(const QString &text, const QString &title, MessageAnswer defaultAnswer = MessageAnswer::No);
// Asks that question and waits: whether the answer is Yes.
bool askYesNo(const QString &text, const QString &title, MessageAnswer defaultAnswer = MessageAnswer::No);
// A message with only an OK button.
void note(const QString &text, const QString &title, MessageIcon icon);
// The same message shown without waiting for OK: what a sampling path says, so that no
// open box holds a timer of the collection.
void post(const QString &text, const QString &title, MessageIcon icon);
// A question asked without waiting: handler receives the answer, perhaps inside this
// call, perhaps later.  A handler that may outlive what it answers for must check.
void ask(const Message &message, AnswerHandler handler);
// Installs a sink (nullptr: back to standard error); returns the one it replaces.
MessageSink *install(MessageSink *sink);

}  // namespace Messages

}  // namespace tk70
