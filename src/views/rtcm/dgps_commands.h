#pragma once
// What the DGPS windows ask of the receiver link: the output sets they read, switched on when
// they open and off when they close (the host leaves on what another open window or the
// standard set still reads, see dgps_outputs.h), the query sets and single queries.

#include "views/rtcm/dgps_outputs.h"

#include <string_view>

namespace trix::dgps {

class DgpsCommands {
public:
    virtual ~DgpsCommands() = default;
    // A receiver port exists.
    virtual bool portOpen() const = 0;
    // The RTCM or RTK output set on, or off.
    virtual void outputSet(OutputSet set, bool on) = 0;
    // The query set "RTC" or "RTK".
    virtual void querySet(std::string_view which) = 0;
    // One query sentence, such as "$PXKTQ,CBN".
    virtual void query(std::string_view sentence) = 0;
};

} // namespace trix::dgps
