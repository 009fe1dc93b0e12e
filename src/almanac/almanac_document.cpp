#include "almanac/almanac_document.h"

#include "almanac/calendar.h"
#include "almanac/glonass.h"
#include "base/strings.h"
#include "base/text.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trix::almanac {
namespace {

bool readWholeFile(const std::string& path, std::string& out) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        out.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}

bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string_view baseName(std::string_view path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

} // namespace

AlmanacDocument::AlmanacDocument(long today) : today_(today) {
    clear();
}

AlmanacDocument::AlmanacDocument() : AlmanacDocument(currentGpsDay()) {}

void AlmanacDocument::clear() {
    gps_.fill(0);
    glonass_.fill(0);
    glonassBase_.fill(0);
    for (std::size_t s = 0; s < kGpsSlots; ++s)
        gps_[s * kGpsRecordSize + 59] = 0x3F;
}

bool AlmanacDocument::gpsPresent(int slot) const {
    const std::uint8_t* r = gps_.data() + static_cast<std::size_t>(slot) * kGpsRecordSize;
    // week at 62 or time of applicability at 4
    return r[62] || r[63] || r[4] || r[5] || r[6] || r[7];
}

bool AlmanacDocument::glonassPresent(int slot) const {
    const std::uint8_t* r = glonass_.data() + static_cast<std::size_t>(slot) * kGlonassRecordSize;
    return r[8] || r[9] || r[10] || r[11];
}

int AlmanacDocument::gpsCount() const {
    int n = 0;
    for (int s = 0; s < kGpsSlots; ++s)
        n += gpsPresent(s);
    return n;
}

int AlmanacDocument::glonassCount() const {
    int n = 0;
    for (int s = 0; s < kGlonassSlots; ++s)
        n += glonassPresent(s);
    return n;
}

KeplerAlmanac AlmanacDocument::gpsRecord(int slot) const {
    return decodeGps(std::span<const std::uint8_t, kGpsRecordSize>(
        gps_.data() + static_cast<std::size_t>(slot) * kGpsRecordSize, kGpsRecordSize));
}

GlonassAlmanac AlmanacDocument::glonassRecord(int slot) const {
    return decodeGlonass(std::span<const std::uint8_t, kGlonassRecordSize>(
        glonass_.data() + static_cast<std::size_t>(slot) * kGlonassRecordSize, kGlonassRecordSize));
}

void AlmanacDocument::storeGps(int slot, const GpsBytes& bytes) {
    std::copy(bytes.begin(), bytes.end(),
              gps_.begin() + static_cast<std::ptrdiff_t>(slot * kGpsRecordSize));
}

void AlmanacDocument::setGpsRecord(int slot, std::span<const std::uint8_t, kGpsRecordSize> b) {
    std::copy(b.begin(), b.end(),
              gps_.begin() + static_cast<std::ptrdiff_t>(slot * kGpsRecordSize));
    modified_ = true;
}

void AlmanacDocument::setGlonassRecord(int slot,
                                       std::span<const std::uint8_t, kGlonassRecordSize> b) {
    std::copy(b.begin(), b.end(),
              glonass_.begin() + static_cast<std::ptrdiff_t>(slot * kGlonassRecordSize));
    glonassBase_[static_cast<std::size_t>(slot)] =
        cycleBaseForDayNumber(glonassRecord(slot).day, today_);
    modified_ = true;
}

void AlmanacDocument::setGpsTable(std::span<const std::uint8_t, kGpsTableSize> b) {
    std::copy(b.begin(), b.end(), gps_.begin());
    modified_ = true;
}

bool AlmanacDocument::read(std::string_view bytes) {
    clear();
    const std::size_t n = bytes.size();
    const bool binaryLength =
        n == kGlonassTableSize || n == kGpsTableSize || n == kGpsTableSize + kGlonassTableSize;
    bool ok = false;
    // Every real binary table holds NUL bytes; a text of such a length is still text.
    if (binaryLength && bytes.find('\0') != std::string_view::npos)
        ok = readBinary(bytes);
    else if (binaryLength)
        ok = readText(bytes) || (clear(), readBinary(bytes));
    else
        ok = readText(bytes);
    if (!ok || recordCount() == 0) {
        clear();
        return false;
    }
    return true;
}

bool AlmanacDocument::readBinary(std::string_view bytes) {
    std::size_t at = 0;
    if (bytes.size() != kGlonassTableSize) {
        std::memcpy(gps_.data(), bytes.data(), kGpsTableSize);
        at = kGpsTableSize;
    }
    if (bytes.size() != kGpsTableSize) {
        std::memcpy(glonass_.data(), bytes.data() + at, kGlonassTableSize);
        for (int s = 0; s < kGlonassSlots; ++s)
            glonassBase_[static_cast<std::size_t>(s)] =
                cycleBaseForDayNumber(glonassRecord(s).day, today_);
    }
    return recordCount() > 0;
}

bool AlmanacDocument::readText(std::string_view text) {
    for (const TextRecord& r : readYuma(text)) {
        if (r.gps) {
            if (r.id >= 1 && r.id <= kGpsSlots)
                storeGps(static_cast<int>(r.id - 1), encode(r.kepler));
            continue;
        }
        const long slot = r.id / 100 - 1;
        if (r.id < 0 || slot < 0 || slot >= kGlonassSlots)
            continue;
        auto g = keplerToGlonass(r.kepler);
        if (!g)
            continue;
        GlonassBytes b = encode(g->record);
        std::copy(b.begin(), b.end(),
                  glonass_.begin() + static_cast<std::ptrdiff_t>(slot * kGlonassRecordSize));
        glonassBase_[static_cast<std::size_t>(slot)] = g->base;
    }
    return recordCount() > 0;
}

bool AlmanacDocument::open(const std::string& path, MessageSink& messages) {
    std::string bytes;
    if (!readWholeFile(path, bytes) || !read(bytes)) {
        clear();
        messages.show(str::kBadAlmanacFile, Buttons::Ok, Icon::Stop);
        return false;
    }
    modified_ = false;
    return true;
}

std::string AlmanacDocument::binaryImage() const {
    std::string out;
    if (gpsCount() > 0)
        out.append(reinterpret_cast<const char*>(gps_.data()), gps_.size());
    if (glonassCount() > 0)
        out.append(reinterpret_cast<const char*>(glonass_.data()), glonass_.size());
    return out;
}

std::optional<RecordLines> AlmanacDocument::recordLines(Constellation c, int slot) const {
    if (c == Constellation::Gps) {
        if (slot < 0 || slot >= kGpsSlots || !gpsPresent(slot))
            return std::nullopt;
        return gpsLines(gpsRecord(slot), slot);
    }
    if (slot < 0 || slot >= kGlonassSlots || !glonassPresent(slot))
        return std::nullopt;
    const GlonassAlmanac g = glonassRecord(slot);
    return glonassLines(glonassToKepler(g, glonassBase(slot)), slot, g.sv);
}

std::vector<RecordLines> AlmanacDocument::listing() const {
    std::vector<RecordLines> out;
    for (int s = 0; s < kGpsSlots; ++s) {
        if (auto l = recordLines(Constellation::Gps, s))
            out.push_back(std::move(*l));
    }
    for (int s = 0; s < kGlonassSlots; ++s) {
        if (auto l = recordLines(Constellation::Glonass, s))
            out.push_back(std::move(*l));
    }
    return out;
}

std::string AlmanacDocument::yumaText() const {
    std::string out;
    for (const RecordLines& lines : listing()) {
        for (const std::string& l : lines) {
            out += l;
            out += "\r\n";
        }
        out += "\r\n";
    }
    return out;
}

FileFormat AlmanacDocument::formatForPath(std::string_view path) {
    std::string upper(baseName(path));
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper.rfind("ALMYUM", 0) == 0 ? FileFormat::Yuma : FileFormat::Binary;
}

bool AlmanacDocument::save(const std::string& path, MessageSink& messages) {
    const std::string data = formatForPath(path) == FileFormat::Yuma ? yumaText() : binaryImage();
    std::string temp = path + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    bool ok = fd >= 0;
    if (ok) {
        // mkstemp creates the file for the owner only; a saved almanac is an ordinary file.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ok = ::fchmod(fd, 0666 & ~mask) == 0 && writeAll(fd, data) && ::fsync(fd) == 0;
        ok = ::close(fd) == 0 && ok;
        ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
        if (!ok)
            ::unlink(temp.c_str());
    }
    if (!ok) {
        messages.show(cformat(str::kAlmanacSaveFailed, path.c_str()), Buttons::Ok, Icon::Stop);
        return false;
    }
    modified_ = false;
    return true;
}

std::optional<std::string> AlmanacDocument::fileName(FileFormat format,
                                                     MessageSink& messages) const {
    long week = 0;
    long long seconds = 0;
    bool found = false;
    for (int s = 0; s < kGpsSlots && !found; ++s) {
        const KeplerAlmanac k = gpsRecord(s);
        if (gpsPresent(s) && k.week > 0) {
            week = resolveWeek(k.week, today_);
            seconds = k.timeOfWeek;
            found = true;
        }
    }
    for (int s = 0; s < kGlonassSlots && !found; ++s) {
        const GlonassAlmanac g = glonassRecord(s);
        if (g.day > 0) {
            const double t = (g.day + glonassBase(s)) * 86400.0;
            week = saturateInt(std::floor(t / 604800.0));
            seconds = static_cast<long long>(saturateInt(std::fmod(t, 604800.0))) + 1;
            found = true;
        }
    }
    if (!found || week <= 0) {
        messages.show(str::kAlmanacNoFileName, Buttons::Ok, Icon::Stop);
        return std::nullopt;
    }
    const NameDate d = nameDate(week, seconds);
    return cformat(format == FileFormat::Yuma ? str::kAlmanacYumaName : str::kAlmanacBinaryName,
                   d.year2, d.dayOfYear);
}

} // namespace trix::almanac
