#include "options.h"

#include "base/text.h"

#include <cstring>

namespace rxsim {

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](const char*& v) {
            if (i + 1 >= argc)
                return false;
            v = argv[++i];
            return true;
        };
        const char* v = nullptr;
        if (a == "--model" && value(v))
            o.receiver.model = static_cast<int>(trix::parseInteger(v));
        else if (a == "--port-letter" && value(v) && std::strlen(v) == 1)
            o.receiver.port = v[0];
        else if (a == "--baud" && value(v))
            o.receiver.baud = trix::parseInteger(v);
        else if (a == "--rtscts")
            o.receiver.rtsCts = true;
        else if (a == "--on")
            o.receiver.outputsOn = true;
        else if (a == "--period-ms" && value(v))
            o.periodMs = static_cast<int>(trix::parseInteger(v));
        else if (a == "--ignore" && value(v))
            o.receiver.ignore.emplace_back(v);
        else if (a == "--silent")
            o.receiver.silent = true;
        else if (a == "--almanac-garbage")
            o.receiver.almanacGarbage = true;
        else if (parseDgpsOption(argc, argv, i, o.receiver.dgps))
            continue;
        else if (terminalOption(argc, argv, i, o.receiver.terminal))
            continue;
        else if (a == "--tx-log" && value(v))
            o.txLog = v;
        else if (a == "--rx-log" && value(v))
            o.rxLog = v;
        else if (a == "--link" && value(v))
            o.link = v;
        else if (a == "--blast")
            o.blast = true;
        else if (a == "--bytes" && value(v))
            o.bytes = trix::parseInteger(v);
        else if (a == "--rate" && value(v))
            o.rate = trix::parseInteger(v);
        else if (a == "--start-delay-ms" && value(v))
            o.startDelayMs = static_cast<int>(trix::parseInteger(v));
        else if (a == "--tcp" && value(v) && *v && std::strspn(v, "0123456789") == std::strlen(v))
            o.tcpPort = static_cast<int>(trix::parseInteger(v));
        else
            return false;
    }
    return o.receiver.model >= 1 && o.receiver.model <= 21 && o.receiver.baud > 0 &&
           o.periodMs > 0 && o.bytes > 0 && o.tcpPort <= 65535 && (o.tcpPort < 0 || o.link.empty());
}

void usage(std::FILE* out) {
    std::fprintf(
        out,
        "usage: rxsim [options]\n"
        "  --model N          receiver model index (default 8)\n"
        "  --port-letter L    the receiver's own port letter (default A)\n"
        "  --baud B           the receiver's baud rate (default 9600)\n"
        "  --rtscts           the receiver expects RTS/CTS handshaking\n"
        "  --on               outputs switched on from the start\n"
        "  --period-ms MS     time between epochs (default 1000)\n"
        "  --ignore WORD      never answer commands containing WORD (repeatable)\n"
        "  --silent           never answer anything\n"
        "  --almanac-garbage  almanac answers are byte patterns, not records\n"
        "%s%s"
        "  --tx-log FILE      copy of every byte sent to the program\n"
        "  --rx-log FILE      every command line received, one per line (C_CLOSECOMM where\n"
        "                     host mode ends)\n"
        "  --link PATH        also make PATH a symbolic link to the device\n"
        "  --blast            send valid sentences as fast as the line takes them\n"
        "  --bytes N          with --blast: stop after N bytes, once the program has\n"
        "                     read them all (default 10000000)\n"
        "  --rate BPS         with --blast: at most BPS bytes per second\n"
        "  --start-delay-ms MS  with --blast: wait before sending (default 0)\n"
        "  --tcp PORT         listen on 127.0.0.1:PORT instead of a pseudo-terminal\n"
        "                     (0: any free port), one client at a time; with --blast\n"
        "                     the connection is closed once every byte is sent\n",
        terminalUsage(), dgpsUsage());
}

} // namespace rxsim
