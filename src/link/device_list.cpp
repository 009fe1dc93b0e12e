#include "link/device_list.h"

#include "base/text.h"

#include <algorithm>
#include <array>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <termios.h>
#include <unistd.h>

namespace trix::link {
namespace {

// A built-in port name exists for every possible UART; only those whose device answers
// terminal requests are real.
bool usable(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    termios t{};
    bool ok = ::tcgetattr(fd, &t) == 0;
    ::close(fd);
    return ok;
}

std::vector<std::string> group(const std::string& devDir, const std::string& prefix) {
    std::vector<std::pair<long, std::string>> found;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(devDir.c_str()), ::closedir);
    if (!dir)
        return {};
    while (const dirent* e = ::readdir(dir.get())) {
        std::string name = e->d_name;
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        std::string digits = name.substr(prefix.size());
        if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        found.emplace_back(parseInteger(digits), devDir + "/" + name);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    for (auto& f : found)
        paths.push_back(std::move(f.second));
    return paths;
}

} // namespace

DeviceList DeviceList::scan(const std::vector<std::string>& extra, const std::string& devDir) {
    DeviceList list;
    for (const char* prefix : {"ttyUSB", "ttyACM", "ttyS"}) {
        for (auto& path : group(devDir, prefix)) {
            if (usable(path))
                list.devices_.push_back(std::move(path));
        }
    }
    for (const auto& d : extra)
        list.add(d);
    return list;
}

std::string DeviceList::device(int comNumber) const {
    if (comNumber < 1 || comNumber > size())
        return {};
    return devices_[static_cast<std::size_t>(comNumber - 1)];
}

int DeviceList::comNumber(const std::string& device) const {
    auto it = std::find(devices_.begin(), devices_.end(), device);
    return it == devices_.end() ? 0 : static_cast<int>(it - devices_.begin()) + 1;
}

int DeviceList::add(const std::string& device) {
    if (device.empty())
        return 0;
    if (int n = comNumber(device))
        return n;
    devices_.push_back(device);
    return size();
}

} // namespace trix::link
