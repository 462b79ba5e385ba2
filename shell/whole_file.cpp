#include "shell/whole_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define INVOLVO_HAVE_FSYNC 1
#endif

namespace involvo {

namespace fs = std::filesystem;

std::string SystemReason(int error) {
    const char* reason = std::strerror(error);
    return reason && *reason ? reason : "unknown error";
}

std::optional<std::string> WriteFileWhole(const fs::path& path, std::string_view text) {
    fs::path temporary = path;
    temporary += "." + std::to_string(std::random_device{}()) + ".tmp";
    std::FILE* file = std::fopen(temporary.string().c_str(), "wb");
    if (!file) return SystemReason(errno);
    int error = 0;
    if (std::fwrite(text.data(), 1, text.size(), file) != text.size()) error = errno ? errno : EIO;
    if (!error && std::fflush(file) != 0) error = errno ? errno : EIO;
#ifdef INVOLVO_HAVE_FSYNC
    if (!error && ::fsync(fileno(file)) != 0) error = errno ? errno : EIO;
#endif
    if (std::fclose(file) != 0 && !error) error = errno ? errno : EIO;
    std::error_code ec;
    if (error) {
        fs::remove(temporary, ec);
        return SystemReason(error);
    }
    fs::rename(temporary, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return ec.message();
    }
    return std::nullopt;
}

}  // namespace involvo
