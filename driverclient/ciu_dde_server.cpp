// The driver client's DDE server: see ciu_dde_server.h.
#include "driverclient/ciu_dde_server.h"

#include "driverclient/ciu_driver.h"
#include "driverclient/dde_texts.h"
#include "tags/tag_record.h"

#include <algorithm>

namespace tk70 {

namespace {

const char *const kSystemItemNames[] = {"Formats", "Help",     "TopicItemList", "ReturnMessage",
                                        "Status",  "SysItems", "Topics"};

}  // namespace

CiuDdeServer::CiuDdeServer(const DdeSettings &settings, const CCiuDriver &driver)
    : m_settings(settings), m_driver(driver), m_server(settings.applicationName, *this)
{
    m_systemTexts = {
        QString::fromLatin1(dde::kTextFormat),
        QStringLiteral("TK70 Pro DDE Server\nValues and qualities of the collected tags, as text."),
        QStringLiteral("Not Available"),
        QStringLiteral("Not Available"),
        QStringLiteral("Server Initialized"),
        QStringLiteral("Formats, Help, ItemList, RtnMsg, Status, SysItems, Topics"),
        topics().join(QLatin1Char(',')),
    };
}

CiuDdeServer::~CiuDdeServer() = default;

bool CiuDdeServer::initialise(const QString &folder) { return m_server.listen(folder); }

QStringList CiuDdeServer::topics() const
{
    return {m_settings.systemTopic, m_settings.valueTopic, m_settings.qualityTopic};
}

bool CiuDdeServer::acceptConnect(const QString &topic) { return topicOf(topic) != Topic::None; }

CiuDdeServer::Topic CiuDdeServer::topicOf(const QString &topic) const
{
    if (topic == m_settings.systemTopic)
        return Topic::System;
    if (topic == m_settings.valueTopic)
        return Topic::Value;
    if (topic == m_settings.qualityTopic)
        return Topic::Quality;
    return Topic::None;
}

int CiuDdeServer::itemPosition(Topic topic, const QString &item) const
{
    if (topic == Topic::System) {
        auto end = std::end(kSystemItemNames);
        auto it =
            std::find_if(std::begin(kSystemItemNames), end, [&](const char *n) { return item == QLatin1String(n); });
        return it == end ? -1 : int(it - std::begin(kSystemItemNames));
    }
    return topic == Topic::None ? -1 : int(m_tagItems.indexOf(item));
}

std::optional<QString> CiuDdeServer::request(const QString &topic, const QString &item)
{
    const Topic t = topicOf(topic);
    const int i = itemPosition(t, item);
    if (i < 0)
        return std::nullopt;
    if (t == Topic::System)
        return i == Status ? ddeStatusText(m_driver.connectionState()) : m_systemTexts[i];
    if (t == Topic::Value)
        return ddeValueText(m_driver.value(i));
    return ddeQualityText(m_driver.quality(i) != 0);
}

// A loop on any item of a topic of the service is taken, served now or not, as long as
// its name could be a tagname or is served now; the DDE layer bounds the loops per client.
bool CiuDdeServer::adviseStart(const QString &topic, const QString &item)
{
    const Topic t = topicOf(topic);
    return t != Topic::None && (item.size() <= kTagnameMaxChars || itemPosition(t, item) >= 0);
}

void CiuDdeServer::makeTagItems()
{
    m_countdown = 0;
    m_tagItems.clear();
    const int count = std::min(m_driver.pointCount(), kMaxItems);
    for (int i = 0; i < count; ++i) {
        m_pending[i] = false;
        m_tagItems << m_driver.tagName(i);
    }
}

// Status goes out once per due pass (not once per point): one change, one update.
void CiuDdeServer::beginAdvisePass()
{
    --m_countdown;
    m_passDue = m_countdown <= 0;
    if (m_passDue)
        postStatus();
}

void CiuDdeServer::advisePoint(int i, bool newValue)
{
    if (i < 0 || i >= m_tagItems.size())
        return;
    if (!m_passDue) {
        m_pending[i] = m_pending[i] || newValue;
        return;
    }
    if (newValue || m_pending[i]) {
        m_pending[i] = false;
        postTagItem(i);
    }
}

void CiuDdeServer::endAdvisePass()
{
    if (m_passDue)
        m_countdown = m_settings.refresh;
    m_passDue = false;
}

// The DDE layer sends only to the loops on the item, and asks for its text only then.
void CiuDdeServer::postTagItem(int i)
{
    m_server.postAdvise(m_settings.valueTopic, m_tagItems[i]);
    m_server.postAdvise(m_settings.qualityTopic, m_tagItems[i]);
}

void CiuDdeServer::postStatus()
{
    m_server.postAdvise(m_settings.systemTopic, QLatin1String(kSystemItemNames[Status]));
}

void CiuDdeServer::finalPassAndDropTagItems()
{
    if (!hasTagItems())
        return;
    for (int i = 0; i < m_tagItems.size(); ++i)
        postTagItem(i);
    postStatus();
    m_server.flush(kFinalPassWaitMs);
    m_tagItems.clear();
}

}  // namespace tk70
