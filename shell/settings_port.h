// The per-user settings store: texts addressed by application, section and key.
// The window placements live here.
#pragma once

#include <optional>
#include <string>

namespace involvo {

class SettingsPort {
public:
    virtual ~SettingsPort() = default;
    // The text stored under application, section and key; nothing when there is
    // none or the store cannot be read.
    virtual std::optional<std::string> GetSetting(const std::string& application, const std::string& section,
                                                  const std::string& key) = 0;
    // Stores a text. False when the store cannot be written; the old text stays.
    virtual bool SaveSetting(const std::string& application, const std::string& section, const std::string& key,
                             const std::string& value) = 0;
};

}  // namespace involvo
