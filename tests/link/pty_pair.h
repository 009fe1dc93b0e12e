#pragma once
// Test helpers: a pseudo-terminal pair with the test holding the receiver's (master) side,
// programs run beside the test (rxsim on its own pseudo-terminal or TCP listener, trixlog),
// and the files they leave.

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

// A program running beside the test (args[0] is its path), its standard output and error
// kept in files; killed (SIGKILL) when destroyed while it still runs.
class Process {
public:
    explicit Process(const std::vector<std::string>& args);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool running() const { return pid_ > 0; }
    void signal(int number);
    // Waits for the end, at most `ms` (forever when negative): the exit code, or -1 when the
    // program is still running or ended by a signal.
    int wait(int ms = -1);
    // Ends the program with `number` and waits for it.
    void stop(int number);
    std::string out() const;
    std::string err() const;
    // The first line of the output without its line feed, waiting up to `ms` for it; empty
    // when the program ends or the time runs out first.
    std::string firstLine(int ms);

private:
    pid_t pid_ = -1;
    std::string dir_;
};

// A running rxsim and the device (or tcp:// address) it printed; ended with SIGTERM, as a
// user would, when destroyed.
class Rxsim {
public:
    explicit Rxsim(const std::vector<std::string>& args);
    ~Rxsim();
    Rxsim(const Rxsim&) = delete;
    Rxsim& operator=(const Rxsim&) = delete;
    const std::string& device() const { return device_; }
    void kill();

private:
    Process process_;
    std::string device_;
};

// Runs a command, returns its exit code; stdout and stderr are captured.
int runCommand(const std::vector<std::string>& args, std::string& out, std::string& err);

// The files in `dir` whose names end with `suffix`, as full paths in name order.
std::vector<std::string> filesIn(const std::string& dir, const std::string& suffix);
// How often `what` occurs in `text`.
int occurrences(const std::string& text, const std::string& what);

std::string binary(const char* relative);
std::string tempDir();
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);

} // namespace linktest
