#include "logs/scratch_dir.h"

#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace trix::logs {

ScratchDirectory::ScratchDirectory() {
    const char* tmp = std::getenv("TMPDIR");
    std::string base = tmp && *tmp ? tmp : "/tmp";
    if (base.back() != '/')
        base += '/';
    std::string pattern = base + "trixlog-XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (::mkdtemp(buf.data()))
        path_ = std::string(buf.data()) + "/";
}

ScratchDirectory::~ScratchDirectory() {
    if (!path_.empty())
        ::rmdir(path_.c_str()); // fails, and keeps the folder, when something is left in it
}

} // namespace trix::logs
