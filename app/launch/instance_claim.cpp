// Which windowed start is the running instance: see instance_claim.h.
#include "app/launch/instance_claim.h"

#include "app/launch/instance_channel.h"

#include <utility>

namespace tk70 {

InstanceClaim::InstanceClaim(QString socketPath)
    : m_socketPath(std::move(socketPath)), m_lock(m_socketPath + QStringLiteral(".lock"))
{
}

InstanceClaim::Outcome InstanceClaim::handOverOrClaim(const QString &path, int deadlineMs)
{
    m_problem.clear();
    if (!m_lock.tryLock(deadlineMs)) {
        m_problem = QStringLiteral("TK70 Pro is starting with these settings already and did not get ready in time.");
        return Outcome::Failed;
    }
    switch (handOver(m_socketPath, path, deadlineMs)) {
    case HandOver::NoInstance: return Outcome::First;
    case HandOver::Delivered: m_lock.unlock(); return Outcome::HandedOver;
    case HandOver::Refused:
        m_problem = QStringLiteral("TK70 Pro runs with these settings already and refused to open %1.").arg(path);
        break;
    case HandOver::NoAnswer:
        m_problem = QStringLiteral("TK70 Pro runs with these settings already but does not answer.");
        break;
    }
    m_lock.unlock();
    return Outcome::Failed;
}

}  // namespace tk70
