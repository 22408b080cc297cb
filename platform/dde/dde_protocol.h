// The line protocol of the DDE layer: one UTF-8 line per message, TAB between fields, LF at
// the end; in texts a backslash, TAB and LF are written as "\\", "\t" and "\n".  These are
// pure functions over bytes, shared by the server, the client and the fuzz target; the
// whole protocol is described in docs/dde.md.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

namespace tk70::dde {

inline constexpr qsizetype kMaxLineBytes = 1024;  // a longer client line closes the client
inline const char *const kTextFormat = "CF_TEXT";

enum class Verb { Connect, Request, Advise, Unadvise, WildConnect };

// A client line, its fields unescaped.
struct ClientLine {
    Verb verb = Verb::Connect;
    QString topic;
    QString item;
    bool hasTopic = false;   // WILDCONNECT without a topic asks for every topic
    bool textFormat = true;  // the format field is missing or CF_TEXT
};

QByteArray escapeField(QByteArrayView text);
// Nothing when the text holds a lone backslash or an unknown escape.
std::optional<QByteArray> unescapeField(QByteArrayView text);

// The line without its LF (a trailing CR is not removed); nothing when it is no valid
// client line: an unknown verb, a wrong number of fields, a bad escape or bad UTF-8.
std::optional<ClientLine> parseClientLine(QByteArrayView line);

const char *verbName(Verb verb);

// A line of the given fields, each escaped, LF included (server and client lines alike).
QByteArray formatLine(const QList<QString> &fields);
// The fields of a line without its LF, unescaped; nothing on a bad escape or bad UTF-8.
std::optional<QList<QString>> splitLine(QByteArrayView line);

}  // namespace tk70::dde
