#pragma once
// One satellite almanac: 32 GPS and 24 GLONASS slots held exactly as the receiver stores them
// (big-endian), read from and written to the receiver's binary tables or Yuma text.

#include "almanac/records.h"
#include "almanac/yuma.h"
#include "base/ui.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trix::almanac {

enum class Constellation { Gps, Glonass };
enum class FileFormat { Binary, Yuma };

class AlmanacDocument {
public:
    // `today`: the local date as days since 6 January 1980; GLONASS day numbers of binary
    // files and of the receiver are dated by it.
    explicit AlmanacDocument(long today);
    AlmanacDocument();

    // Empties every slot (GPS slots keep the receiver's empty-slot word).
    void clear();

    // Reads a whole file's bytes: 960, 2240 or 3200 bytes with a NUL byte are the binary
    // tables, anything else Yuma text. False (and the document cleared) when no slot is
    // present afterwards.
    bool read(std::string_view bytes);
    // Reads the file at `path`; on failure shows "Bad almanac file !" and returns false.
    bool open(const std::string& path, MessageSink& messages);

    // The binary tables: GPS (2240 bytes) when it has a present slot, then GLONASS (960).
    std::string binaryImage() const;
    // Every present record as Yuma text, CR LF lines, one empty line after each record.
    std::string yumaText() const;
    // Saves to `path`, as Yuma text when the file name upper-cased begins with "ALMYUM",
    // else as binary. The file is written beside the target and renamed over it, so a failed
    // save leaves the old file; the failure is shown and false returned.
    bool save(const std::string& path, MessageSink& messages);
    static FileFormat formatForPath(std::string_view path);

    // The 14 lines of a slot, or nothing for an empty slot.
    std::optional<RecordLines> recordLines(Constellation c, int slot) const;
    // Every present record's lines, GPS first, in slot order.
    std::vector<RecordLines> listing() const;

    // The file name (without folder) for `format` after the almanac's date, or nothing after
    // "No data to generate almanac file name !".
    std::optional<std::string> fileName(FileFormat format, MessageSink& messages) const;

    int gpsCount() const;
    int glonassCount() const;
    int recordCount() const { return gpsCount() + glonassCount(); }
    bool gpsPresent(int slot) const;
    bool glonassPresent(int slot) const;

    // Records as the receiver sends them, stored unchanged.
    void setGpsRecord(int slot, std::span<const std::uint8_t, kGpsRecordSize> bytes);
    void setGlonassRecord(int slot, std::span<const std::uint8_t, kGlonassRecordSize> bytes);
    void setGpsTable(std::span<const std::uint8_t, kGpsTableSize> bytes);

    KeplerAlmanac gpsRecord(int slot) const;
    GlonassAlmanac glonassRecord(int slot) const;
    double glonassBase(int slot) const { return glonassBase_[static_cast<std::size_t>(slot)]; }
    long today() const { return today_; }

    bool modified() const { return modified_; }
    void setModified(bool m) { modified_ = m; }

private:
    bool readBinary(std::string_view bytes);
    bool readText(std::string_view text);
    void storeGps(int slot, const GpsBytes& bytes);

    long today_;
    std::array<std::uint8_t, kGpsTableSize> gps_{};
    std::array<std::uint8_t, kGlonassTableSize> glonass_{};
    std::array<double, kGlonassSlots> glonassBase_{};
    bool modified_ = false;
};

} // namespace trix::almanac
