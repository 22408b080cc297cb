// libvantor.so as a caller sees it: loaded with dlopen, exactly the Ciu* functions
// visible, the configuration record laid out as callers read it, and a whole connection
// driven by a peer written apart from the driver.
#include "driver/vantor.h"
#include "tests/support/wait_until.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace {

const std::set<std::string> kExports = {
    "CiuInitializeCommStruct",
    "CiuCreateEvents",
    "CiuDestroyEvents",
    "CiuOpenConnection",
    "CiuCloseConnection",
    "CiuCheckConnected",
    "CiuLoadPointList",
    "CiuReadFromValueArray",
    "CiuWriteToValueArray",
    "CiuOnline",
    "CiuEstablishPoint",
    "CiuEstablishAndConnectPoint",
    "CiuConnectPointList",
    "CiuEstablishReport",
    "CiuReadExceptions",
    "CiuReadValueList",
    "CiuReadMiscellaneousStatusExceptions",
    "CiuReadMiscellaneousStatusList",
    "CiuReadBlock",
    "CiuOutputValue",
    "CiuRequestReadTuneSpecs",
    "CiuRequestWriteTuneSpecs",
    "CiuIsTunePending",
    "CiuResetTuneRequest",
    "CiuGetTuneErrorStatus",
    "CiuGetTuneFunctionCode",
    "CiuGetTuneSpecCount",
    "CiuGetTuneSpecValue",
    "CiuGetTuneSpecTunable",
    "CiuGetTuneSpecType",
    "CiuSetTuneSpecValue",
    "CiuReadTuneSpecs",
    "CiuWriteTuneSpecs",
    "CiuSetPortDevice",
};

class Library {
public:
    Library() : m_handle(dlopen(VANTOR_LIBRARY, RTLD_NOW | RTLD_LOCAL)) {}
    ~Library()
    {
        if (m_handle)
            dlclose(m_handle);
    }
    bool loaded() const { return m_handle != nullptr; }
    template <typename F>
    F *fn(const char *name) const
    {
        return reinterpret_cast<F *>(dlsym(m_handle, name));
    }

private:
    void *m_handle;
};

template <typename T>
T atOffset(const CiuCommStruct *comm, std::size_t offset)
{
    T value;
    std::memcpy(&value, reinterpret_cast<const char *>(comm) + offset, sizeof value);
    return value;
}

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

int volatileLoad(const int32_t &field) { return std::atomic_ref<const int32_t>(field).load(); }

}  // namespace

TEST(SharedLibrary, ExportsExactlyTheCiuInterface)
{
    FILE *nm = popen("nm -D --defined-only " VANTOR_LIBRARY, "r");
    ASSERT_NE(nm, nullptr);
    std::set<std::string> names;
    char line[512];
    while (fgets(line, sizeof line, nm)) {
        char type[8], name[256];
        unsigned long long address;
        if (sscanf(line, "%llx %7s %255s", &address, type, name) == 3)
            names.insert(name);
    }
    pclose(nm);
    EXPECT_EQ(names, kExports);

    Library lib;
    ASSERT_TRUE(lib.loaded()) << dlerror();
    for (const std::string &name : kExports)
        EXPECT_NE(lib.fn<void>(name.c_str()), nullptr) << name;
}

TEST(SharedLibrary, TheRecordKeepsItsLayoutAndDefaults)
{
    Library lib;
    ASSERT_TRUE(lib.loaded());
    auto init = lib.fn<CiuCommStruct *()>("CiuInitializeCommStruct");
    CiuCommStruct *comm = init();
    EXPECT_EQ(atOffset<uint16_t>(comm, 0), 9600);
    EXPECT_EQ(atOffset<uint16_t>(comm, 2), 1);
    EXPECT_EQ(atOffset<int32_t>(comm, 16), 1);   // CiuMode
    EXPECT_EQ(atOffset<uint8_t>(comm, 20), 10);  // WatchdogValue
    EXPECT_EQ(atOffset<uint8_t>(comm, 21), 2);   // ResetOptionValue
    EXPECT_EQ(atOffset<int32_t>(comm, 24), 5000);
    EXPECT_EQ(atOffset<int32_t>(comm, 48), 50);  // CommandPace
    EXPECT_EQ(atOffset<int32_t>(comm, 52), 15);
    EXPECT_FLOAT_EQ(atOffset<float>(comm, 116), 1.16f);
    EXPECT_EQ(atOffset<int32_t>(comm, 120), 31);
    EXPECT_EQ(atOffset<int32_t>(comm, 124), -1);
    EXPECT_STREQ(reinterpret_cast<const char *>(comm) + 148, "VANTOR.LOG");
    EXPECT_EQ(atOffset<int32_t>(comm, 272), 0);

    comm->ExpDelay = 1;
    std::strcpy(comm->LogFileName, "other.log");
    EXPECT_EQ(init(), comm);
    EXPECT_EQ(comm->ExpDelay, 200);
    EXPECT_STREQ(comm->LogFileName, "VANTOR.LOG");
}

TEST(SharedLibrary, OpeningWithoutPointsRefusesAfterStartingTheLog)
{
    Library lib;
    ASSERT_TRUE(lib.loaded());
    CiuCommStruct *comm = lib.fn<CiuCommStruct *()>("CiuInitializeCommStruct")();
    char dir[] = "/tmp/tk70-export-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    std::string log = std::string(dir) + "/v.log";
    std::strcpy(comm->LogFileName, log.c_str());

    ASSERT_EQ(lib.fn<int()>("CiuCreateEvents")(), 1);
    EXPECT_EQ(lib.fn<int()>("CiuOpenConnection")(), 0);
    EXPECT_FALSE(std::ifstream(log).good());  // logging is off by default

    comm->LogFileEnabled = 1;
    EXPECT_EQ(lib.fn<int()>("CiuOpenConnection")(), 0);
    EXPECT_EQ(lib.fn<int()>("CiuCheckConnected")(), 0);
    std::string text = readFile(log);
    ASSERT_EQ(text.size(), 21u + 19 + 21 + 22);
    EXPECT_EQ(text.substr(21, 19), "Log File Created.\r\n");
    EXPECT_EQ(text.substr(19, 2), "  ");
    EXPECT_EQ(text.substr(61), "Driver Revision 1.16\r\n");
    lib.fn<int()>("CiuCloseConnection")();
    lib.fn<int()>("CiuDestroyEvents")();
    std::remove(log.c_str());
    rmdir(dir);
}

// The peer prints its device on its first line and serves until its input closes.
class IndependentPeer {
public:
    IndependentPeer()
    {
        int in[2], out[2];
        if (pipe(in) != 0 || pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], 0);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addclose(&actions, in[1]);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        char python[] = "python3", *argv[] = {python, const_cast<char *>(PEER_SCRIPT), nullptr};
        if (posix_spawnp(&m_pid, "python3", &actions, nullptr, argv, environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(in[0]);
        close(out[1]);
        m_input = in[1];
        FILE *reader = fdopen(out[0], "r");
        char line[256] = {};
        if (reader && fgets(line, sizeof line, reader))
            m_device = std::string(line, strcspn(line, "\n"));
        if (reader)
            fclose(reader);
    }
    ~IndependentPeer()
    {
        if (m_input >= 0)
            close(m_input);
        if (m_pid > 0)
            waitpid(m_pid, nullptr, 0);
    }
    const std::string &device() const { return m_device; }

private:
    pid_t m_pid = -1;
    int m_input = -1;
    std::string m_device;
};

TEST(SharedLibrary, AWholeConnectionAgainstAnIndependentPeer)
{
    IndependentPeer peer;
    ASSERT_FALSE(peer.device().empty());
    Library lib;
    ASSERT_TRUE(lib.loaded());
    CiuCommStruct *comm = lib.fn<CiuCommStruct *()>("CiuInitializeCommStruct")();
    comm->DtrPulse = 1;
    comm->RestartDelay = 1;
    comm->CommandPace = 10;
    comm->ExpDelay = 10;
    ASSERT_EQ(lib.fn<int(int, const char *)>("CiuSetPortDevice")(1, peer.device().c_str()), 1);
    ASSERT_EQ(lib.fn<int()>("CiuCreateEvents")(), 1);
    int idx[] = {1, 2, 3}, loops[] = {1, 1, 1}, pcus[] = {5, 5, 5}, mods[] = {2, 2, 2}, blocks[] = {10, 11, 12};
    int types[] = {5, 7, 1}, states[3] = {};
    double zeros[3] = {};
    auto load = lib.fn<decltype(CiuLoadPointList)>("CiuLoadPointList");
    ASSERT_EQ(load(3, idx, loops, pcus, mods, blocks, types, states, zeros, zeros, zeros, zeros), 1);
    ASSERT_NE(lib.fn<int()>("CiuOpenConnection")(), 0);

    tk70test::waitUntil([&] { return volatileLoad(comm->Monitoring) == 1; }, std::chrono::seconds(30));
    EXPECT_EQ(volatileLoad(comm->ConnectionState), 5);
    EXPECT_EQ(volatileLoad(comm->CiuModuleMode), 4);
    EXPECT_EQ(volatileLoad(comm->CiuLoop), 1);
    EXPECT_EQ(volatileLoad(comm->CiuPcu), 5);

    auto read = lib.fn<decltype(CiuReadFromValueArray)>("CiuReadFromValueArray");
    double v[4];
    int q[4], e[4], n[4], p[4];
    for (int i = 0; i < 4; ++i)
        read(i, &v[i], &q[i], &e[i], &n[i], &p[i]);
    EXPECT_EQ(v[0], 3.0);
    EXPECT_EQ(v[1], 10.25);
    EXPECT_EQ(q[1], 0);
    EXPECT_EQ(e[1], 0);
    EXPECT_EQ(v[2], 1.0);
    EXPECT_EQ(v[3], 30.25);
    EXPECT_EQ(lib.fn<int()>("CiuCloseConnection")(), 1);
    EXPECT_EQ(lib.fn<int()>("CiuCheckConnected")(), 0);
    EXPECT_EQ(volatileLoad(comm->ConnectionState), 0);
    lib.fn<int()>("CiuDestroyEvents")();
}
