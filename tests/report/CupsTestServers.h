#pragma once

#include <functional>
#include <memory>
#include <string>

namespace pestrol::test {

// The private CUPS schedulers of tests/report/cups/start-cupsd.sh: "printers" (queues A,
// B the default, Closed rejecting jobs) and "spare" (queues A and Raw, no default). Those
// CTest started (their state file is PESTROL_CUPSD_STATE), or else ones of this process,
// stopped when it ends.
class CupsTestServers {
public:
    // Null when the schedulers could not be started.
    static const CupsTestServers* Get();

    std::string Folder(const std::string& scheduler) const { return m_base + "/" + scheduler; }
    std::string Socket(const std::string& scheduler) const { return Folder(scheduler) + "/cups.sock"; }
    // Where the queue writes what it prints.
    std::string Output(const std::string& scheduler, const std::string& queue) const
    {
        return Folder(scheduler) + "/out/" + queue + ".pdf";
    }

    ~CupsTestServers();

private:
    CupsTestServers() = default;
    static std::unique_ptr<CupsTestServers> Start();

    std::string m_base;
    std::string m_ownState;
};

// Runs body on a thread of its own, as a client of the scheduler at the socket only: CUPS
// keeps the server it talks to per thread, read from the environment on first use, and
// the machine's own client settings and default printer stay out of the way.
void AsClientOf(const std::string& socket, const std::function<void()>& body);

// Waits until the queue has no job left to do; false after half a minute.
bool WaitForQueue(const std::string& socket, const std::string& queue);

// The standard output of a shell command.
std::string CommandOutput(const std::string& command);

}  // namespace pestrol::test
