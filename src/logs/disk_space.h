#pragma once
// The free and total bytes of the drive holding the log directory. Read once when the
// directory changes; afterwards every byte logged and every summary line written is taken
// off the free count, so the display needs no system call per byte.

#include <string>

namespace trix::logs {

class DiskSpace {
public:
    // Reads the drive of `directory`; false (counts left as they were) when it cannot be read.
    bool refresh(const std::string& directory);
    void consume(double bytes) { free_ -= bytes; }
    double freeBytes() const { return free_; }
    double totalBytes() const { return total_; }
    // Free space as a percentage of the disk size; 0 for an unknown size.
    double freePercent() const { return total_ > 0.0 ? free_ * 100.0 / total_ : 0.0; }

private:
    double free_ = 0.0;
    double total_ = 0.0;
};

} // namespace trix::logs
