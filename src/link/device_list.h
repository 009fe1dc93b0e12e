#pragma once
// COM numbers on Linux: COM n is the n-th entry of an ordered list of serial devices — the
// USB adapters, the USB modems, the built-in ports that can be opened — followed by devices
// named in the profile or on the command line.

#include <string>
#include <vector>

namespace trix::link {

class DeviceList {
public:
    // Scans `devDir` (normally "/dev") for ttyUSB*, ttyACM* and ttyS* in this order, each
    // group in numeric order, keeping those that exist and can be opened; then appends the
    // extra devices that are not already listed.
    static DeviceList scan(const std::vector<std::string>& extra = {},
                           const std::string& devDir = "/dev");

    // Builds a list from known paths, for callers that name the device themselves.
    explicit DeviceList(std::vector<std::string> devices = {}) : devices_(std::move(devices)) {}

    int size() const { return static_cast<int>(devices_.size()); }
    // The device of COM n (1-based); empty when there is none.
    std::string device(int comNumber) const;
    // The COM number of a device path, 0 when it is not listed.
    int comNumber(const std::string& device) const;
    // Adds a device at the end unless listed; returns its COM number.
    int add(const std::string& device);
    const std::vector<std::string>& devices() const { return devices_; }

private:
    std::vector<std::string> devices_;
};

} // namespace trix::link
