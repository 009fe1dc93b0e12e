// trixlog almanac: open an almanac file as the program's Open does, print its listing and
// optionally save it as the program's Save does.

#include "command.h"
#include "options.h"

#include "almanac/almanac_document.h"
#include "base/ui.h"

#include <cstdio>
#include <string>

namespace {

constexpr const char* kUsage = "usage: trixlog almanac IN [--save OUT]\n";

constexpr const char* kHelp =
    "Opens the almanac file IN (the receiver's binary tables of 960, 2240 or 3200\n"
    "bytes, or Yuma text) and prints every record as the Yuma text the program\n"
    "writes, with CR LF line ends. When nothing can be read, prints \"Bad almanac\n"
    "file !\" on stderr and exits 1.\n\n"
    "  --save OUT   also save the almanac as OUT: Yuma text when OUT's file name,\n"
    "               upper-cased, begins with \"ALMYUM\", else the binary tables\n";

// Messages go to stderr, one line each.
class StderrSink : public trix::MessageSink {
public:
    trix::Answer show(std::string_view text, trix::Buttons, trix::Icon) override {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
        return trix::Answer::Ok;
    }
};

int run(int argc, char** argv) {
    std::string in, out;
    bool save = false;
    trixlog::OptionParser options(kUsage, kHelp);
    options.value("--save", [&](std::string_view v) {
        out = std::string(v);
        const bool first = !save;
        save = true;
        return first && !v.empty();
    });
    options.positional({&in}, 1);
    if (int rc = options.parse(argc, argv); rc >= 0)
        return rc;
    if (!trixlog::named(in))
        return options.usageError();
    StderrSink messages;
    trix::almanac::AlmanacDocument doc;
    if (!doc.open(in, messages))
        return 1;
    const std::string listing = doc.yumaText();
    if (std::fwrite(listing.data(), 1, listing.size(), stdout) != listing.size() ||
        std::fflush(stdout) != 0)
        return 1;
    if (save && !doc.save(out, messages))
        return 1;
    return 0;
}

trixlog::Registration reg{
    {"almanac", "list an almanac file, optionally save it in the other format", run}};

} // namespace
