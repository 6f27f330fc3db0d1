#include "platform/shell/SpawnLauncher.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <linux/close_range.h>
#include <sys/syscall.h>

extern char** environ;

namespace vux {

namespace {

std::string envOr(const char* name, const char* fallback) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string(fallback);
}

bool isExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// argv of one resolved candidate, built before fork: the child may only make
// async-signal-safe calls, so it must not allocate.
struct Prepared {
    std::string path;
    std::vector<std::string> words;
    std::vector<char*> argv;
};

pid_t waitForChild(pid_t pid, int* status) {
    pid_t r;
    do {
        r = ::waitpid(pid, status, 0);
    } while (r < 0 && errno == EINTR);
    return r;
}

// Runs in the forked child only: async-signal-safe calls from here on.
[[noreturn]] void runDetached(const std::vector<Prepared>& prepared, LaunchFallback fallback,
                              const char* workingFolder) {
    ::setsid();
    int null = ::open("/dev/null", O_RDWR);
    if (null >= 0) {
        ::dup2(null, 0);
        ::dup2(null, 1);
        ::dup2(null, 2);
    }
    // Our hidraw channels, sockets and the instance lock stay ours.
    ::syscall(SYS_close_range, 3U, ~0U, 0U);
    sigset_t all;
    ::sigemptyset(&all);
    ::sigprocmask(SIG_SETMASK, &all, nullptr);
    struct sigaction dfl {};
    dfl.sa_handler = SIG_DFL;
    for (int sig = 1; sig < NSIG; ++sig)
        ::sigaction(sig, &dfl, nullptr);
    if (workingFolder[0] != '\0')
        (void)::chdir(workingFolder);

    // The second fork leaves the program to init: we reap only this child.
    pid_t runner = ::fork();
    if (runner != 0)
        ::_exit(runner < 0 ? 1 : 0);

    if (fallback == LaunchFallback::WhenMissing) {
        ::execve(prepared.front().path.c_str(), prepared.front().argv.data(), environ);
        ::_exit(127);
    }
    for (const Prepared& p : prepared) {
        pid_t pid = ::fork();
        if (pid == 0) {
            ::execve(p.path.c_str(), p.argv.data(), environ);
            ::_exit(127);
        }
        int status = 0;
        if (pid > 0 && waitForChild(pid, &status) == pid && WIFEXITED(status) &&
            WEXITSTATUS(status) == 0)
            ::_exit(0);
    }
    ::_exit(1);
}

} // namespace

SpawnLauncher::SpawnLauncher()
    : SpawnLauncher(envOr("PATH", "/usr/local/bin:/usr/bin:/bin"), envOr("XDG_CURRENT_DESKTOP", ""),
                    envOr("HOME", "")) {}

SpawnLauncher::SpawnLauncher(std::string searchPath, std::string desktop, std::string workingFolder)
    : searchPath_(std::move(searchPath)), desktop_(std::move(desktop)),
      workingFolder_(std::move(workingFolder)) {}

std::string SpawnLauncher::findProgram(const std::string& program) const {
    if (program.empty())
        return {};
    if (program.find('/') != std::string::npos)
        return isExecutableFile(program) ? program : std::string();
    std::size_t start = 0;
    while (start <= searchPath_.size()) {
        std::size_t end = searchPath_.find(':', start);
        if (end == std::string::npos)
            end = searchPath_.size();
        // An empty entry would mean the current folder; that is never wanted here.
        if (end > start) {
            std::string candidate = searchPath_.substr(start, end - start) + "/" + program;
            if (isExecutableFile(candidate))
                return candidate;
        }
        start = end + 1;
    }
    return {};
}

bool SpawnLauncher::launch(std::span<const LaunchCommand> candidates, LaunchFallback fallback) {
    std::vector<Prepared> prepared;
    for (const LaunchCommand& c : candidates) {
        std::string path = findProgram(c.program);
        if (path.empty())
            continue;
        Prepared& p = prepared.emplace_back();
        p.path = std::move(path);
        p.words.push_back(c.program);
        p.words.insert(p.words.end(), c.args.begin(), c.args.end());
        if (fallback == LaunchFallback::WhenMissing)
            break;
    }
    if (prepared.empty())
        return false;
    for (Prepared& p : prepared) {
        for (std::string& w : p.words)
            p.argv.push_back(w.data());
        p.argv.push_back(nullptr);
    }

    pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0)
        runDetached(prepared, fallback, workingFolder_.c_str());
    int status = 0;
    waitForChild(child, &status);
    return true;
}

std::vector<std::string> SpawnLauncher::desktopNames() const {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < desktop_.size()) {
        std::size_t end = desktop_.find(':', start);
        if (end == std::string::npos)
            end = desktop_.size();
        if (end > start)
            names.push_back(desktop_.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

} // namespace vux
