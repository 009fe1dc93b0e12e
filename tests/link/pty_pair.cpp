#include "pty_pair.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
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

Process::Process(const std::vector<std::string>& args) : dir_(tempDir()) {
    const std::string out = dir_ + "/out", err = dir_ + "/err";
    pid_ = ::fork();
    if (pid_ < 0)
        throw std::runtime_error("fork");
    if (pid_ == 0) {
        int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(o, 1);
        ::dup2(e, 2);
        std::vector<char*> argv;
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
}

Process::~Process() {
    if (pid_ > 0)
        stop(SIGKILL);
    ::unlink((dir_ + "/out").c_str());
    ::unlink((dir_ + "/err").c_str());
    ::rmdir(dir_.c_str());
}

void Process::signal(int number) {
    if (pid_ > 0)
        ::kill(pid_, number);
}

int Process::wait(int ms) {
    if (pid_ <= 0)
        return -1;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        int st = 0;
        const pid_t r = ::waitpid(pid_, &st, ms < 0 ? 0 : WNOHANG);
        if (r == pid_ || (r < 0 && errno != EINTR)) {
            pid_ = -1;
            return r > 0 && WIFEXITED(st) ? WEXITSTATUS(st) : -1;
        }
        if (ms >= 0 && std::chrono::steady_clock::now() >= end)
            return -1;
        ::usleep(2000);
    }
}

void Process::stop(int number) {
    signal(number);
    wait();
}

std::string Process::out() const {
    return readFile(dir_ + "/out");
}

std::string Process::err() const {
    return readFile(dir_ + "/err");
}

std::string Process::firstLine(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        const std::string text = out();
        if (auto at = text.find('\n'); at != std::string::npos)
            return text.substr(0, at);
        int st = 0;
        if (pid_ <= 0 || ::waitpid(pid_, &st, WNOHANG) == pid_) {
            pid_ = -1;
            return {};
        }
        if (std::chrono::steady_clock::now() >= end)
            return {};
        ::usleep(1000);
    }
}

Rxsim::Rxsim(const std::vector<std::string>& args)
    : process_([&] {
          std::vector<std::string> argv{binary("tools/rxsim/rxsim")};
          argv.insert(argv.end(), args.begin(), args.end());
          return argv;
      }()) {
    device_ = process_.firstLine(10000);
    if (device_.empty())
        throw std::runtime_error("rxsim did not start: " + process_.err());
}

Rxsim::~Rxsim() {
    kill();
}

void Rxsim::kill() {
    if (process_.running())
        process_.stop(SIGTERM);
}

int runCommand(const std::vector<std::string>& args, std::string& out, std::string& err) {
    Process p(args);
    const int rc = p.wait();
    out = p.out();
    err = p.err();
    return rc;
}

std::vector<std::string> filesIn(const std::string& dir, const std::string& suffix) {
    std::vector<std::string> names;
    if (DIR* d = ::opendir(dir.c_str())) {
        while (dirent* e = ::readdir(d)) {
            const std::string n = e->d_name;
            if (n.size() > suffix.size() && n.ends_with(suffix))
                names.push_back(dir + "/" + n);
        }
        ::closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

int occurrences(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
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
