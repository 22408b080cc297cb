// The driver client's DDE server: the values and qualities of the collected tags, and a
// System topic, offered to other programs through the DDE layer (platform/dde).
//
// The System topic answers at all times.  Tag items exist while a connection is open: they
// are made from the point list at each open and dropped at each close.  An advise loop is
// its client's and follows its item by name (the DDE layer keeps it): it may be opened
// before the item exists, it outlives a close and reopen without a new advise, and it
// follows its tag whatever position the tag has in the new point list.  A loop names an
// item no longer than a tagname can be, or one served now.  Changes reach advise loops in
// the advise pass of each refresh tick, at most once every "DdeRefresh" ticks.
#pragma once

#include "core/product.h"
#include "driverclient/dde_settings.h"
#include "platform/dde/dde_handler.h"
#include "platform/dde/dde_server.h"

#include <array>

namespace tk70 {

class CCiuDriver;

class CiuDdeServer : public dde::DdeHandler {
public:
    static constexpr int kMaxItems = kTagCapacity;
    static constexpr int kFinalPassWaitMs = 300;
    enum SystemItem { Formats, Help, TopicItemList, ReturnMessage, Status, SysItems, Topics, kSystemItemCount };

    CiuDdeServer(const DdeSettings &settings, const CCiuDriver &driver);
    ~CiuDdeServer() override;

    // Starts serving; false, with the reason in errorText(), when the socket cannot be
    // made (another program serving the same service name, a refused folder).
    bool initialise(const QString &folder = dde::socketFolder());
    QString errorText() const { return m_server.errorText(); }
    const dde::DdeServer &server() const { return m_server; }

    // After a connection opened: the tag items from the driver's point list.
    void makeTagItems();
    bool hasTagItems() const { return !m_tagItems.isEmpty(); }
    // The advise pass of one refresh tick: begin, each point after it was read, end.
    void beginAdvisePass();
    void advisePoint(int i, bool newValue);
    void endAdvisePass();
    // At connection close, once the points were read again: the last values to every
    // advise loop, handed to the clients within kFinalPassWaitMs; then the tag items go.
    void finalPassAndDropTagItems();

    // dde::DdeHandler
    QStringList topics() const override;
    bool acceptConnect(const QString &topic) override;
    std::optional<QString> request(const QString &topic, const QString &item) override;
    bool adviseStart(const QString &topic, const QString &item) override;

private:
    enum class Topic { System, Value, Quality, None };
    Topic topicOf(const QString &topic) const;
    // The position of item in the topic (System item number or tag position); -1: none.
    int itemPosition(Topic topic, const QString &item) const;
    void postTagItem(int i);
    void postStatus();

    DdeSettings m_settings;
    const CCiuDriver &m_driver;
    dde::DdeServer m_server;
    std::array<QString, kSystemItemCount> m_systemTexts;
    QStringList m_tagItems;
    std::array<bool, kMaxItems> m_pending{};
    int m_countdown = 0;
    bool m_passDue = false;
};

}  // namespace tk70
