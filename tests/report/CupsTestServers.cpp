#include "report/CupsTestServers.h"

#include "report/ReportTestSupport.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <unistd.h>

namespace pestrol::test {
namespace {

const std::string kScript = PESTROL_TEST_DIR "/report/cups/start-cupsd.sh";

std::string FirstLine(const std::string& path)
{
    std::string text = ReadBytes(path);
    return text.substr(0, text.find('\n'));
}

}  // namespace

const CupsTestServers* CupsTestServers::Get()
{
    static std::unique_ptr<CupsTestServers> servers = Start();
    return servers->m_base.empty() ? nullptr : servers.get();
}

std::unique_ptr<CupsTestServers> CupsTestServers::Start()
{
    std::unique_ptr<CupsTestServers> servers(new CupsTestServers);
    servers->m_base = FirstLine(PESTROL_CUPSD_STATE);
    if (!servers->m_base.empty() && std::filesystem::exists(servers->m_base + "/printers/cups.sock"))
        return servers;
    servers->m_ownState = "/tmp/pestrol-cupsd-state-" + std::to_string(getpid());
    servers->m_base.clear();
    if (std::system((kScript + " start " + servers->m_ownState).c_str()) == 0)
        servers->m_base = FirstLine(servers->m_ownState);
    return servers;
}

CupsTestServers::~CupsTestServers()
{
    if (!m_ownState.empty())
        std::system((kScript + " stop " + m_ownState).c_str());
}

void AsClientOf(const std::string& socket, const std::function<void()>& body)
{
    std::string folder = std::filesystem::path(socket).parent_path().string();
    ScopedEnvironment server("CUPS_SERVER", socket.c_str());
    ScopedEnvironment root("CUPS_SERVERROOT", (folder + "/etc").c_str());
    ScopedEnvironment home("HOME", folder.c_str());
    ScopedEnvironment lpdest("LPDEST", nullptr);
    ScopedEnvironment printer("PRINTER", nullptr);
    std::thread(body).join();
}

bool WaitForQueue(const std::string& socket, const std::string& queue)
{
    using namespace std::chrono;
    auto deadline = steady_clock::now() + seconds(30);
    std::string command = "lpstat -h '" + socket + "' -o '" + queue + "' 2>&1";
    while (steady_clock::now() < deadline) {
        if (CommandOutput(command).empty())
            return true;
        std::this_thread::sleep_for(milliseconds(100));
    }
    return false;
}

std::string CommandOutput(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return output;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    pclose(pipe);
    return output;
}

}  // namespace pestrol::test
