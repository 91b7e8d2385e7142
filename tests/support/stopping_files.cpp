#include "support/stopping_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include "catalogue/replace_files.h"

namespace kalverin::testing {

bool StoppingFiles::Stopped(const std::filesystem::path& path, std::string_view bytes) {
    if (made_++ != changes_) {
        return made_ > changes_;
    }
    const int file = path.empty() ? -1 : ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (file >= 0) {
        static_cast<void>(::write(file, bytes.data(), std::min(tornBytes_, bytes.size())));
        ::close(file);
    }
    if (stop_ == Stop::Kill) {
        ::kill(::getpid(), SIGKILL);
    }
    return true;
}

void LeaveSaveCutShort(const std::filesystem::path& path, const std::string& label,
                       std::string_view bytes) {
    // The journal is written, its folder flushed, and then the file is written.
    StoppingFiles files(2, bytes.size() / 2, StoppingFiles::Stop::Quietly);
    ReplaceFiles(files, {{path, label, std::string(bytes)}});
}

}  // namespace kalverin::testing
