// Files written whole: a failure never leaves half a file behind.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace involvo {

// Writes the text into a temporary file beside the file ("name.<n>.tmp", a
// name of its own, so that two programs saving at once never share it),
// flushes it to the disk and lets it take the file's place. The reason in
// words when it failed (the temporary file is removed then), nothing when it
// succeeded.
std::optional<std::string> WriteFileWhole(const std::filesystem::path& path, std::string_view text);

// The system's words for an errno value; "unknown error" when it has none.
std::string SystemReason(int error);

}  // namespace involvo
