#include "SimProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace sim {

namespace {

using Clock = std::chrono::steady_clock;

std::string LineValue(const std::string& text, const std::string& key)
{
    const std::string prefix = key + " ";
    size_t at = text.rfind("\n" + prefix);
    if (at != std::string::npos)
        ++at;
    else if (text.rfind(prefix, 0) == 0)
        at = 0;
    else
        return {};
    const size_t end = text.find('\n', at);
    return text.substr(at + prefix.size(), end == std::string::npos ? std::string::npos : end - at - prefix.size());
}

}  // namespace

std::string SimProcess::DefaultBinary()
{
    const char* dir = std::getenv("PELAGRIX_BUILD_DIR");
    return std::string(dir && *dir ? dir : ".") + "/pelagrix-sim";
}

bool SimProcess::Start(const std::vector<std::string>& args, std::string& error, const std::string& binary,
                       int timeoutMs)
{
    Stop();
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        error = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    std::vector<std::string> argvText = {binary};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argvText)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid < 0) {
        error = std::string("fork: ") + std::strerror(errno);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        return false;
    }
    if (pid == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::execv(binary.c_str(), argv.data());
        _exit(127);
    }
    ::close(pipeFds[1]);
    m_pid = pid;
    m_stdout = pipeFds[0];
    m_reaped = false;
    m_output.clear();
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (m_output.find("READY\n") == std::string::npos) {
        int status = 0;
        if (Exited(status)) {
            error = "pelagrix-sim (" + binary + ") ended before it was ready, status " + std::to_string(status);
            return false;
        }
        if (Clock::now() >= end) {
            error = "pelagrix-sim did not become ready";
            Stop();
            return false;
        }
        ReadOutput(50);
    }
    m_device = LineValue(m_output, "DEVICE");
    m_gps = LineValue(m_output, "GPS");
    return true;
}

void SimProcess::ReadOutput(int timeoutMs)
{
    if (m_stdout < 0)
        return;
    pollfd p{m_stdout, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0)
        return;
    char buf[1024];
    const ssize_t n = ::read(m_stdout, buf, sizeof buf);
    if (n > 0) {
        m_output.append(buf, static_cast<size_t>(n));
    } else if (n == 0) {
        ::close(m_stdout);
        m_stdout = -1;
    }
}

const std::string& SimProcess::Output()
{
    ReadOutput(0);
    return m_output;
}

bool SimProcess::Exited(int& status)
{
    ReadOutput(0);
    if (m_pid < 0)
        return true;
    if (!m_reaped) {
        int raw = 0;
        if (::waitpid(m_pid, &raw, WNOHANG) != m_pid)
            return false;
        m_reaped = true;
        m_status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    status = m_status;
    return true;
}

bool SimProcess::WaitExit(int timeoutMs, int& status)
{
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!Exited(status)) {
        if (Clock::now() >= end)
            return false;
        ReadOutput(20);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void SimProcess::Stop()
{
    if (m_pid > 0) {
        int status = 0;
        if (!Exited(status)) {
            ::kill(m_pid, SIGTERM);
            if (!WaitExit(3000, status)) {
                ::kill(m_pid, SIGKILL);
                int raw = 0;
                ::waitpid(m_pid, &raw, 0);
            }
        }
        for (int i = 0; i < 20 && m_stdout >= 0; ++i)
            ReadOutput(100);
    }
    if (m_stdout >= 0)
        ::close(m_stdout);
    m_stdout = -1;
    m_pid = -1;
    m_reaped = false;
}

}  // namespace sim
