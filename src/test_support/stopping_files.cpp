#include "test_support/stopping_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include "catalogue/replace_files.h"

namespace kalverin::testing {

template <typename Cut>
bool StoppingFiles::Stopping(Cut cut) {
    if (stopped_) {
        return true;
    }
    if (made_++ < changes_) {
        return false;
    }
    stopped_ = true;
    cut();
    if (stop_ == Stop::Kill) {
        ::kill(::getpid(), SIGKILL);
    }
    return true;
}

std::optional<std::string> StoppingFiles::Write(const std::filesystem::path& path,
                                                std::string_view bytes) {
    auto tear = [&] {
        const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
        if (file >= 0) {
            const std::size_t torn = std::min(tornBytes_, bytes.size());
            const ssize_t wrote = ::write(file, bytes.data(), torn);
            static_cast<void>(wrote);
            ::close(file);
        }
    };
    if (Stopping(tear)) {
        return "stopped";
    }
    return DiskFiles().Write(path, bytes);
}

std::optional<std::string> StoppingFiles::Remove(const std::filesystem::path& path) {
    if (Stopping([] {})) {
        return "stopped";
    }
    return DiskFiles().Remove(path);
}

std::optional<std::string> StoppingFiles::SyncFolder(const std::filesystem::path& folder) {
    if (Stopping([] {})) {
        return "stopped";
    }
    return DiskFiles().SyncFolder(folder);
}

void LeaveSaveCutShort(const std::filesystem::path& path, const std::string& label,
                       std::string_view bytes) {
    // The journal is written, its folder flushed, and then the file is written.
    StoppingFiles files(2, bytes.size() / 2, StoppingFiles::Stop::Quietly);
    ReplaceFiles(files, {{path, label, std::string(bytes)}});
}

}  // namespace kalverin::testing
