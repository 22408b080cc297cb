// The hostile value clients of dde-bench --hostile, each kind on threads of its own while
// the program's thread serves: clients with advise loops on every item that never read,
// clients that send requests in batches of 20,000 and read the answers meanwhile, clients
// holding 64 loops on each topic on names no tag has, clients that connect, advise and
// close over and over, clients that send an overlong line, and one prober that asks for a
// value ten times a second and keeps its slowest answer.
#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <thread>
#include <vector>

namespace tk70bench {

class HostileCrowd {
public:
    // How many clients of each kind.
    static constexpr int kNeverReading = 6;
    static constexpr int kBatching = 4;
    static constexpr int kGhostLoops = 4;
    static constexpr int kChurning = 2;
    static constexpr int kLongLines = 1;

    HostileCrowd(QString path, QStringList items);
    ~HostileCrowd();

    void start();
    void stop();

    long batchAnswers() const { return m_batchAnswers; }
    long churnRounds() const { return m_churnRounds; }
    long probes() const { return m_probes; }
    double worstProbeMs() const { return double(m_worstProbeNs) / 1e6; }
    int neverReadingDropped() const { return m_neverReadingDropped; }

private:
    void neverReading();
    void batching();
    void ghostLoops();
    void churning();
    void longLines();
    void probing();

    QString m_path;
    QStringList m_items;
    std::vector<std::thread> m_threads;
    std::atomic<bool> m_stop{false};
    std::atomic<long> m_batchAnswers{0};
    std::atomic<long> m_churnRounds{0};
    std::atomic<long> m_probes{0};
    std::atomic<long long> m_worstProbeNs{0};
    std::atomic<int> m_neverReadingDropped{0};
};

}  // namespace tk70bench
