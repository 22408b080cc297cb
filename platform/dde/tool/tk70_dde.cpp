// tk70-dde: asks a TK70 Pro DDE service from the command line.
//
//   tk70-dde [--service NAME] request TOPIC ITEM          prints the item's text
//   tk70-dde [--service NAME] advise TOPIC ITEM... [--count N]
//                                                          prints "time<TAB>topic<TAB>item<TAB>text"
//                                                          per update, N updates or until the server goes
//   tk70-dde [--service NAME] topics                       prints the service's topics
//
// Exit codes: 0 done, 1 no data (or the topic or advise refused), 2 usage, 3 no server.
#include "platform/dde/dde_client.h"
#include "platform/dde/dde_folder.h"

#include <QDateTime>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

namespace {

using tk70::dde::DdeClient;

enum Exit { kDone = 0, kNoData = 1, kUsage = 2, kNoServer = 3 };

const char *const kUsageText = "usage: tk70-dde [--service NAME] request TOPIC ITEM\n"
                               "       tk70-dde [--service NAME] advise TOPIC ITEM... [--count N]\n"
                               "       tk70-dde [--service NAME] topics\n";

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

// Sends a line and waits for its answer; an empty list when the server went.
QList<QString> ask(DdeClient &client, const QList<QString> &fields)
{
    if (!client.send(fields))
        return {};
    return client.waitLine(-1).value_or(QList<QString>{});
}

bool connectTopic(DdeClient &client, const QString &topic)
{
    const QList<QString> answer = ask(client, {QStringLiteral("CONNECT"), topic});
    return !answer.isEmpty() && answer.front() == QLatin1String("ACK");
}

int request(DdeClient &client, const QString &topic, const QString &item)
{
    if (!connectTopic(client, topic))
        return kNoData;
    const QList<QString> answer = ask(client, {QStringLiteral("REQUEST"), topic, item});
    if (answer.size() < 4 || answer.front() != QLatin1String("DATA"))
        return kNoData;
    out() << answer[3] << '\n';
    return kDone;
}

int advise(DdeClient &client, const QString &topic, const QStringList &items, long count)
{
    if (!connectTopic(client, topic))
        return kNoData;
    for (const QString &item : items) {
        const QList<QString> answer = ask(client, {QStringLiteral("ADVISE"), topic, item});
        if (answer.isEmpty() || answer.front() != QLatin1String("ACK"))
            return kNoData;
    }
    for (long seen = 0; count < 0 || seen < count;) {
        std::optional<QList<QString>> line = client.waitLine(-1);
        if (!line)
            return kNoServer;
        if (line->size() < 4 || line->front() != QLatin1String("DATA"))
            continue;
        const QString time = QDateTime::currentDateTime().toString(Qt::ISODateWithMs);
        out() << time << '\t' << line->at(1) << '\t' << line->at(2) << '\t' << line->at(3) << Qt::endl;
        ++seen;
    }
    return kDone;
}

int topics(DdeClient &client)
{
    if (!client.send({QStringLiteral("WILDCONNECT")}))
        return kNoServer;
    while (std::optional<QList<QString>> line = client.waitLine(-1)) {
        if (line->front() == QLatin1String("END"))
            return kDone;
        if (line->size() == 3 && line->front() == QLatin1String("PAIR"))
            out() << line->at(2) << '\n';
    }
    return kNoServer;
}

int usage()
{
    std::fputs(kUsageText, stderr);
    return kUsage;
}

}  // namespace

int main(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QString service = QStringLiteral("TK70Pro");
    if (args.size() >= 2 && args.front() == QLatin1String("--service")) {
        service = args[1];
        args = args.mid(2);
    }
    long count = -1;
    if (const qsizetype at = args.indexOf(QStringLiteral("--count")); at >= 0) {
        bool ok = false;
        count = at + 1 < args.size() ? args[at + 1].toLong(&ok) : 0;
        if (!ok || count < 0)
            return usage();
        args.remove(at, 2);
    }
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();
    const bool known = (command == QLatin1String("request") && args.size() == 2) ||
                       (command == QLatin1String("advise") && args.size() >= 2) ||
                       (command == QLatin1String("topics") && args.isEmpty());
    if (!known)
        return usage();
    DdeClient client;
    if (!client.connectTo(tk70::dde::socketPath(service))) {
        std::fprintf(stderr, "tk70-dde: no server for %s\n", qPrintable(service));
        return kNoServer;
    }
    if (command == QLatin1String("request"))
        return request(client, args[0], args[1]);
    if (command == QLatin1String("advise"))
        return advise(client, args[0], args.mid(1), count);
    return topics(client);
}
