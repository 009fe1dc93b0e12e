#include "pty_pair.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace linktest {

PtyPair::PtyPair() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
        throw std::runtime_error("no pseudo-terminal");
    slave_ = ::ptsname(master_);
    keep_ = ::open(slave_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios t{};
    ::tcgetattr(keep_, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(keep_, TCSANOW, &t);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
}

PtyPair::~PtyPair() {
    if (keep_ >= 0)
        ::close(keep_);
    closeMaster();
}

void PtyPair::closeMaster() {
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
    if (keep_ >= 0)
        ::close(keep_);
    keep_ = -1;
}

void PtyPair::send(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else
            ::usleep(1000);
    }
}

std::string PtyPair::received(std::size_t atLeast, int ms) {
    std::string out;
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    char buf[4096];
    for (;;) {
        ssize_t n = ::read(master_, buf, sizeof buf);
        if (n > 0) {
            out.append(buf, static_cast<std::size_t>(n));
            continue;
        }
        if (out.size() >= atLeast || std::chrono::steady_clock::now() >= end)
            return out;
        ::usleep(2000);
    }
}

Rxsim::Rxsim(const std::vector<std::string>& args) {
    int fds[2];
    if (::pipe(fds) != 0)
        throw std::runtime_error("pipe");
    std::string path = binary("tools/rxsim/rxsim");
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(fds[1], 1);
        ::close(fds[0]);
        ::close(fds[1]);
        std::vector<char*> argv{const_cast<char*>(path.c_str())};
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(path.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    char c;
    while (::read(fds[0], &c, 1) == 1 && c != '\n')
        device_.push_back(c);
    ::close(fds[0]);
    if (device_.empty())
        throw std::runtime_error("rxsim did not start");
}

Rxsim::~Rxsim() {
    kill();
}

void Rxsim::kill() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int st = 0;
        ::waitpid(pid_, &st, 0);
        pid_ = -1;
    }
}

int runCommand(const std::vector<std::string>& args, std::string& out, std::string& err) {
    char outName[] = "/tmp/linktest-outXXXXXX";
    char errName[] = "/tmp/linktest-errXXXXXX";
    int o = ::mkstemp(outName);
    int e = ::mkstemp(errName);
    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(o, 1);
        ::dup2(e, 2);
        std::vector<char*> argv;
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int st = 0;
    ::waitpid(pid, &st, 0);
    ::close(o);
    ::close(e);
    out = readFile(outName);
    err = readFile(errName);
    ::unlink(outName);
    ::unlink(errName);
    return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

std::string binary(const char* relative) {
    return std::string(TRIX_BINARY_DIR) + "/" + relative;
}

std::string tempDir() {
    char name[] = "/tmp/linktestXXXXXX";
    const char* d = ::mkdtemp(name);
    if (!d)
        throw std::runtime_error("mkdtemp");
    return d;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace linktest
