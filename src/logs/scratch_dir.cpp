#include "logs/scratch_dir.h"

#include <dirent.h>
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
    if (path_.empty())
        return;
    // The folder is this run's own: whatever was left in it (an error list) goes with it.
    if (DIR* d = ::opendir(path_.c_str())) {
        while (const dirent* e = ::readdir(d)) {
            std::string name = e->d_name;
            if (name != "." && name != "..")
                ::unlink((path_ + name).c_str());
        }
        ::closedir(d);
    }
    ::rmdir(path_.c_str());
}

} // namespace trix::logs
