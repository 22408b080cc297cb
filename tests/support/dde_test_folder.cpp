// Every test process serves values under a socket folder of its own, so that test
// programs running side by side never meet on one value server (the second would say
// "Error Initializing DDE Server." to a test that counts messages).  Linked into every
// test program; a test or a caller that sets TK70_DDE_DIR itself keeps its folder.
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <string>
#include <unistd.h>

namespace {

std::string g_folder;

// Removes the folder and the sockets left in it (the folder holds nothing else).
void removeFolder()
{
    if (DIR *dir = opendir(g_folder.c_str())) {
        while (dirent *entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                unlink((g_folder + '/' + name).c_str());
        }
        closedir(dir);
    }
    rmdir(g_folder.c_str());
}

bool useOwnFolder()
{
    if (std::getenv("TK70_DDE_DIR"))
        return false;
    const char *temp = std::getenv("TMPDIR");
    std::string pattern = std::string(temp && *temp ? temp : "/tmp") + "/tk70-dde-test-XXXXXX";
    if (!mkdtemp(pattern.data()))  // made with mode 0700, as the server wants it
        return false;
    g_folder = pattern;
    setenv("TK70_DDE_DIR", g_folder.c_str(), 0);
    std::atexit(removeFolder);
    return true;
}

const bool g_ownFolder = useOwnFolder();

}  // namespace
