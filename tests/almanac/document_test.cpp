// The document: binary tables by length, the text that has a binary length, open and save,
// and the file names.

#include "almanac/almanac_document.h"
#include "almanac/calendar.h"
#include "base/strings.h"
#include "support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace trix::almanac;
using almanactest::dataFile;
using almanactest::readFile;
using almanactest::RecordingSink;
using almanactest::TempDir;
using almanactest::writeFile;

namespace {

const long kToday = gpsDayOfDate(2026, 12, 8);

AlmanacDocument publishedDocument() {
    AlmanacDocument doc(kToday);
    EXPECT_TRUE(doc.read(readFile(dataFile("published_week98.alm"))));
    return doc;
}

// A downloaded GPS record as the receiver stores it: words 58 and 68 are 00 01.
GpsBytes downloaded(std::int16_t week, std::int32_t tow) {
    KeplerAlmanac k;
    k.eccentricity = 0.01f;
    k.toa = 319488;
    k.inclination = 0.3f;
    k.sqrtA = 5153.6;
    k.word58 = 1;
    k.week = week;
    k.weekMod = static_cast<std::uint16_t>(week % 256);
    k.timeOfWeek = tow;
    k.word68 = 1;
    return encode(k);
}

GlonassBytes glonass(std::int32_t day) {
    GlonassAlmanac g;
    g.sv = 12;
    g.healthFlag = 1;
    g.day = day;
    g.periodCorrection = -2655.9f;
    return encode(g);
}

} // namespace

TEST(BinaryTables, BothTablesLoadAndSaveAsTheSame3200Bytes) {
    AlmanacDocument doc(kToday);
    doc.setGpsRecord(3, downloaded(2437, 345600));
    doc.setGlonassRecord(7, glonass(1000));
    const std::string image = doc.binaryImage();
    ASSERT_EQ(image.size(), 3200u);
    TempDir dir;
    writeFile(dir.file("in.bin"), image);
    RecordingSink sink;
    AlmanacDocument loaded(kToday);
    ASSERT_TRUE(loaded.open(dir.file("in.bin"), sink));
    EXPECT_EQ(loaded.gpsCount(), 1);
    EXPECT_EQ(loaded.glonassCount(), 1);
    EXPECT_FALSE(loaded.modified());
    ASSERT_TRUE(loaded.save(dir.file("ALM26.300"), sink));
    EXPECT_EQ(readFile(dir.file("ALM26.300")), image);
    EXPECT_TRUE(sink.shown.empty());
}

TEST(BinaryTables, GlonassOnlyIs960BytesAndReadsBack) {
    AlmanacDocument doc(kToday);
    doc.setGlonassRecord(0, glonass(1000));
    doc.setGlonassRecord(23, glonass(999));
    const std::string image = doc.binaryImage();
    ASSERT_EQ(image.size(), 960u);
    AlmanacDocument back(kToday);
    ASSERT_TRUE(back.read(image));
    EXPECT_EQ(back.glonassCount(), 2);
    EXPECT_EQ(back.gpsCount(), 0);
    EXPECT_EQ(back.yumaText(), doc.yumaText());
}

TEST(BinaryTables, ATextOfExactlyABinaryLengthIsText) {
    // Three-record texts padded with blank lines to 2240 bytes.
    std::string text = readFile(dataFile("published_week98.alm"));
    ASSERT_LT(text.size(), 2240u);
    text.append(2240 - text.size(), '\n');
    AlmanacDocument doc(kToday);
    ASSERT_TRUE(doc.read(text));
    EXPECT_EQ(doc.gpsCount(), 3);
    EXPECT_EQ(doc.gpsRecord(0).toa, 405504);
    // Without a usable record, a NUL-free table of that length is still a (garbage) table.
    std::string garbage(2240, '\x41');
    ASSERT_TRUE(doc.read(garbage));
    EXPECT_EQ(doc.gpsCount(), 32);
}

TEST(Open, UnusableFilesFailClearTheDocumentAndSayWhy) {
    TempDir dir;
    writeFile(dir.file("empty"), "");
    writeFile(dir.file("zeros"), std::string(2240, '\0')); // no present slot
    writeFile(dir.file("text"), "hello\r\nworld\r\n");
    for (const std::string& path :
         {dir.file("empty"), dir.file("zeros"), dir.file("text"), dir.path, dir.file("none")}) {
        AlmanacDocument doc = publishedDocument();
        RecordingSink sink;
        EXPECT_FALSE(doc.open(path, sink)) << path;
        EXPECT_EQ(doc.recordCount(), 0) << path;
        ASSERT_EQ(sink.shown.size(), 1u) << path;
        EXPECT_EQ(sink.shown[0], trix::str::kBadAlmanacFile);
    }
}

TEST(Save, LowerCaseYumaNamesWriteTextOthersBinary) {
    TempDir dir;
    AlmanacDocument doc = publishedDocument();
    doc.setModified(true);
    RecordingSink sink;
    ASSERT_TRUE(doc.save(dir.file("almyum09.123"), sink));
    EXPECT_FALSE(doc.modified());
    EXPECT_EQ(readFile(dir.file("almyum09.123")), doc.yumaText());
    ASSERT_TRUE(doc.save(dir.file("alm09.123"), sink));
    EXPECT_EQ(readFile(dir.file("alm09.123")).size(), 2240u);
    EXPECT_EQ(AlmanacDocument::formatForPath("/x/ALMYUM/alm09.123"), FileFormat::Binary);
}

TEST(Save, AFailedWriteKeepsTheOldFile) {
    TempDir dir;
    const std::string target = dir.file("ALM26.001");
    writeFile(target, "previous contents");
    // A file-size limit below the table makes the write fail as a full disk would.
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        AlmanacDocument doc = publishedDocument();
        RecordingSink sink;
        bool saved = doc.save(target, sink);
        ::_exit(!saved && sink.shown.size() == 1 ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(readFile(target), "previous contents");
    // No temporary file is left behind.
    EXPECT_EQ(std::system(("test $(ls '" + dir.path + "' | wc -l) -eq 1").c_str()), 0);
    // A folder that does not exist fails with the message too.
    AlmanacDocument doc = publishedDocument();
    RecordingSink sink;
    EXPECT_FALSE(doc.save(dir.file("missing/ALM26.001"), sink));
    EXPECT_EQ(sink.shown.size(), 1u);
}

TEST(FileNames, TenBitWeeksResolveToTheLatestMatchingWeek) {
    RecordingSink sink;
    AlmanacDocument doc = publishedDocument(); // week 98 = February 2021
    EXPECT_EQ(doc.fileName(FileFormat::Binary, sink), "ALM21.052");
    EXPECT_EQ(doc.fileName(FileFormat::Yuma, sink), "ALMYUM21.052");
    AlmanacDocument old(kToday);
    old.setGpsRecord(0, downloaded(500, 0));                        // week 1524
    EXPECT_EQ(old.fileName(FileFormat::Binary, sink), "ALM09.081"); // 22 March 2009
    AlmanacDocument full(kToday);
    full.setGpsRecord(5, downloaded(1524, 86400 * 2 + 5)); // seconds add days
    EXPECT_EQ(full.fileName(FileFormat::Binary, sink), "ALM09.083");
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(resolveWeek(2437, kToday), 2437);
    EXPECT_EQ(resolveWeek(2437 - 2048, kToday), 2437);
}

TEST(FileNames, GlonassDatesAndNoDate) {
    RecordingSink sink;
    AlmanacDocument doc(kToday);
    doc.setGlonassRecord(4, glonass(1070)); // 5 December 2026, day 339
    EXPECT_EQ(doc.fileName(FileFormat::Yuma, sink), "ALMYUM26.339");
    AlmanacDocument empty(kToday);
    EXPECT_FALSE(empty.fileName(FileFormat::Binary, sink));
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0], trix::str::kAlmanacNoFileName);
}
