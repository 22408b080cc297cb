// What a DDE service answers: the server of the DDE layer (dde_server.h) does the
// connections, the line protocol and the advise loops of each client; the handler says
// which topics exist and what their items hold.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace tk70::dde {

class DdeHandler {
public:
    virtual ~DdeHandler() = default;

    // The topics of the service, in the order a wild connect lists them.
    virtual QStringList topics() const = 0;
    virtual bool acceptConnect(const QString &topic) = 0;
    // The text of an item of a connected topic; nothing: no data.
    virtual std::optional<QString> request(const QString &topic, const QString &item) = 0;
    // Whether a client may open an advise loop on an item of a connected topic (the item
    // need not exist yet).  False refuses the start.  The server keeps the loops.
    virtual bool adviseStart(const QString &topic, const QString &item) = 0;
};

}  // namespace tk70::dde
