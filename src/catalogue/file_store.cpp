#include "catalogue/file_store.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace kalverin {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::string SystemReason(int error) {
    return error != 0 ? std::strerror(error) : "unknown error";
}

class DiskFileStore final : public FileStore {
  public:
    Outcome<std::string> Read(const std::filesystem::path& path) const override {
        errno = 0;
        FileHandle file(std::fopen(path.c_str(), "rb"));
        if (!file) {
            return Outcome<std::string>::Failure(SystemReason(errno));
        }
        // The reads below fill a buffer of their own; a stream buffer would only cost a call
        // to the system for its size.
        std::setvbuf(file.get(), nullptr, _IONBF, 0);
        std::string bytes;
        char buffer[64 * 1024];
        while (true) {
            std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
            bytes.append(buffer, got);
            if (bytes.size() > kMaxFileBytes) {
                return Outcome<std::string>::Failure("it is larger than 16 MiB");
            }
            if (got < sizeof buffer) {
                break;
            }
        }
        if (std::ferror(file.get())) {
            return Outcome<std::string>::Failure(SystemReason(errno));
        }
        return bytes;
    }

    std::optional<std::string> Write(const std::filesystem::path& path,
                                     std::string_view bytes) override {
        // An existing file is written over in place and then cut to length: emptying it on
        // opening makes the file system free and journal its blocks, which can hold up each
        // write by milliseconds.
        errno = 0;
        std::FILE* raw = std::fopen(path.c_str(), "r+b");
        if (!raw) {
            errno = 0;
            raw = std::fopen(path.c_str(), "wb");
        }
        if (!raw) {
            return WriteFailureReason(errno);
        }
        FileHandle file(raw);
        // Written in one piece, so a stream buffer would only cost a call to the system.
        std::setvbuf(raw, nullptr, _IONBF, 0);
        if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), raw) != bytes.size()) {
            return WriteFailureReason(errno);
        }
        // A buffered write that "succeeded" is not a saved file until the flush and close do.
        if (std::fflush(raw) != 0) {
            return WriteFailureReason(errno);
        }
        // What is left of longer earlier contents goes; a device has no length to cut.
        std::error_code noLength;
        const auto length = std::filesystem::file_size(path, noLength);
        if (!noLength && length > bytes.size()) {
            std::error_code cut;
            std::filesystem::resize_file(path, bytes.size(), cut);
            if (cut) {
                return cut.message();
            }
        }
        if (std::fclose(file.release()) != 0) {
            return WriteFailureReason(errno);
        }
        return std::nullopt;
    }

    void Remove(const std::filesystem::path& path) override {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
};

}  // namespace

std::string WriteFailureReason(int error) {
    std::string reason = SystemReason(error);
    if (error == EACCES || error == EPERM || error == EROFS) {
        reason +=
            ". This folder is read-only for you, as the Data folder of a system-wide install is; "
            "to edit the rules data, run Kalverin from a portable folder that you unpacked "
            "yourself";
    }
    return reason;
}

FileStore& DiskFiles() {
    static DiskFileStore disk;
    return disk;
}

namespace {

// What undoing a replacement takes: the earlier bytes back, the new file removed again, or
// nothing at all for something that is no regular file (a device keeps no contents to restore).
struct Earlier {
    enum class Kind { Bytes, Absent, NotAFile } kind = Kind::Absent;
    std::string bytes;
};

bool Holds(const FileStore& files, const std::filesystem::path& path, const std::string& bytes) {
    auto now = files.Read(path);
    return now && now.value() == bytes;
}

}  // namespace

std::optional<std::string> ReplaceFiles(FileStore& files,
                                        const std::vector<FileReplacement>& replacements) {
    std::vector<Earlier> previous(replacements.size());
    for (std::size_t i = 0; i < replacements.size(); ++i) {
        const FileReplacement& file = replacements[i];
        std::error_code ignored;
        auto status = std::filesystem::status(file.path, ignored);
        if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
            previous[i].kind = Earlier::Kind::NotAFile;
            continue;
        }
        auto old = files.Read(file.path);
        if (old) {
            previous[i] = {Earlier::Kind::Bytes, std::move(old.value())};
        } else if (std::filesystem::exists(status)) {
            // Without its old bytes a failed write could not be undone.
            return file.label + " cannot be read before it is replaced: " + old.error() +
                   ". Nothing was saved.";
        }
    }
    for (std::size_t i = 0; i < replacements.size(); ++i) {
        auto failure = files.Write(replacements[i].path, replacements[i].bytes);
        if (!failure) {
            continue;
        }
        std::string message = replacements[i].label + " could not be written: " + *failure + ".";
        bool restored = true;
        for (std::size_t j = 0; j <= i; ++j) {
            if (previous[j].kind == Earlier::Kind::Bytes) {
                // The user must learn which file no longer holds what it held; a file the
                // failed write never touched (a read-only folder refuses it) still does.
                auto lost = files.Write(replacements[j].path, previous[j].bytes);
                if (lost && Holds(files, replacements[j].path, previous[j].bytes)) {
                    lost.reset();
                }
                if (lost) {
                    message += " " + replacements[j].label +
                               " could not be put back as it was: " + *lost + ".";
                    restored = false;
                }
            } else if (previous[j].kind == Earlier::Kind::Absent) {
                files.Remove(replacements[j].path);
            }
        }
        return restored ? message + " The data files were left as they were." : message;
    }
    return std::nullopt;
}

}  // namespace kalverin
