#pragma once
// Test helpers: a pseudo-terminal pair with the test holding the receiver's (master) side,
// and an rxsim process on its own pseudo-terminal.

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace linktest {

class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;
    const std::string& slave() const { return slave_; }
    void send(const std::string& bytes); // as the receiver
    // Everything the program wrote, waiting up to `ms` for at least `atLeast` bytes.
    std::string received(std::size_t atLeast = 0, int ms = 500);
    void closeMaster();
    int master() const { return master_; }

private:
    int master_ = -1;
    int keep_ = -1;
    std::string slave_;
};

// A running rxsim; killed when destroyed.
class Rxsim {
public:
    explicit Rxsim(const std::vector<std::string>& args);
    ~Rxsim();
    Rxsim(const Rxsim&) = delete;
    Rxsim& operator=(const Rxsim&) = delete;
    const std::string& device() const { return device_; }
    void kill();

private:
    pid_t pid_ = -1;
    std::string device_;
};

// Runs a command, returns its exit code; stdout and stderr are captured.
int runCommand(const std::vector<std::string>& args, std::string& out, std::string& err);

std::string binary(const char* relative);
std::string tempDir();
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);

} // namespace linktest
