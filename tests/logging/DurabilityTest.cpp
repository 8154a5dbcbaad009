// A program killed with SIGKILL in the middle of logging leaves a data log
// holding every record it had finished writing. The test runs this binary
// again as a child that logs numbered lines and reports each one through a
// pipe; the parent kills it mid-stream and reads the file.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "LogFiles.h"
#include "app/CVessaDlg.h"
#include "support/ScriptedDialogs.h"

extern char** environ;

namespace {

constexpr const char* kChildPathVar = "PELAGRIX_LOG_CHILD_PATH";
constexpr const char* kChildFdVar = "PELAGRIX_LOG_CHILD_FD";

std::string NumberedLine(int i)
{
    char text[32];
    std::snprintf(text, sizeof text, "%06d\r\n", i);
    return text;
}

}  // namespace

// The child's part: runs only when the parent started this binary for it.
TEST(LogDurabilityChild, LogsNumberedLinesUntilKilled)
{
    const char* path = std::getenv(kChildPathVar);
    const char* fdText = std::getenv(kChildFdVar);
    if (!path || !fdText)
        GTEST_SKIP() << "runs as the child of LogDurability.SigkillKeepsEveryFinishedRecord";
    const int progress = std::atoi(fdText);

    CVessaDlg dlg;
    dlg.SetDialogs(std::make_unique<ScriptedDialogs>());
    dlg.m_LogPath = path;
    ASSERT_EQ(dlg.OpenLog(), 0);
    ASSERT_EQ(dlg.m_LogOpen, 1);
    dlg.m_LogActive = 1;
    dlg.m_Connected = 1;
    for (int i = 0;; ++i) {
        // Every tenth record is a ping start with its stamps.
        const std::string line = i % 10 == 0 ? "#DeviceID " + NumberedLine(i) : NumberedLine(i);
        dlg.WriteRawRecord(line.data(), static_cast<int32_t>(line.size()));
        const std::string done = std::to_string(i) + "\n";
        if (::write(progress, done.data(), done.size()) < 0)
            return;
    }
}

TEST(LogDurability, SigkillKeepsEveryFinishedRecord)
{
    const std::string path = MakeTempFolder("durable") + "killed.log";
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    // The write end stays open across exec as the child's progress channel.
    const int childFd = ::fcntl(fds[1], F_DUPFD, 10);
    ASSERT_GE(childFd, 0);
    ::close(fds[1]);

    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);
    env.push_back(std::string(kChildPathVar) + "=" + path);
    env.push_back(std::string(kChildFdVar) + "=" + std::to_string(childFd));
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string self = "/proc/self/exe";
    std::string filter = "--gtest_filter=LogDurabilityChild.LogsNumberedLinesUntilKilled";
    char* argv[] = {self.data(), filter.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = -1;
    const int spawned = ::posix_spawn(&child, self.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(childFd);
    ASSERT_EQ(spawned, 0);

    // Read the child's progress until it has logged a good stretch.
    int lastReported = -1;
    std::string pending;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (lastReported < 3000 && std::chrono::steady_clock::now() < deadline) {
        pollfd p{fds[0], POLLIN, 0};
        if (::poll(&p, 1, 200) <= 0)
            continue;
        char buf[4096];
        const ssize_t n = ::read(fds[0], buf, sizeof buf);
        if (n <= 0)
            break;
        pending.append(buf, static_cast<size_t>(n));
        for (size_t lf = pending.find('\n'); lf != std::string::npos; lf = pending.find('\n')) {
            lastReported = std::atoi(pending.substr(0, lf).c_str());
            pending.erase(0, lf + 1);
        }
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(fds[0]);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child ended early";
    ASSERT_GE(lastReported, 3000) << "the child did not log in time";

    // Every record the child finished is in the file, in order and whole;
    // only the record being written at the kill may be cut short.
    const std::string file = ReadWholeFile(path);
    const std::vector<std::string> lines = SplitLines(file.substr(HeaderLength(file)));
    const std::regex local(kLocalStampPattern), utc(kUtcStampPattern), zda(kZdaStampPattern);
    size_t at = 0;
    int next = 0;
    for (; at < lines.size(); ++next) {
        std::vector<std::string> record;
        record.push_back(next % 10 == 0 ? "#DeviceID " + NumberedLine(next) : NumberedLine(next));
        if (next % 10 == 0)
            record.insert(record.end(), {"L", "U", "Z"});
        bool whole = true;
        for (const std::string& expected : record) {
            if (at >= lines.size()) {
                whole = false;
                break;
            }
            const std::string& got = lines[at++];
            const bool ok = expected == "L"   ? std::regex_match(got, local)
                            : expected == "U" ? std::regex_match(got, utc)
                            : expected == "Z" ? std::regex_match(got, zda)
                                              : got == expected;
            if (!ok) {
                // A cut line is allowed only as the file's very end.
                ASSERT_EQ(at, lines.size()) << "damaged line " << at << ": " << got;
                ASSERT_EQ(got.find('\n'), std::string::npos) << got;
                whole = false;
                break;
            }
        }
        if (!whole)
            break;
    }
    // `next` counts the whole records; the child had finished 0..lastReported.
    EXPECT_GE(next, lastReported + 1) << "records the child had finished are missing";
}
