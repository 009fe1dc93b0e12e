#pragma once
// Start options on a profile and a data folder of the test's own.

#include "trix_application.h"

#include <QTemporaryDir>

#include <string>

namespace trix::app::test {

// The profile and data folder inside `dir`; the shipped receiver files from `shipped`.
inline StartOptions optionsIn(const QTemporaryDir& dir, const std::string& shipped) {
    StartOptions o;
    o.profilePath = (dir.path() + "/config/Trix32.ini").toStdString();
    o.dataHome = (dir.path() + "/data").toStdString();
    o.shippedReceiver = shipped;
    return o;
}

} // namespace trix::app::test
