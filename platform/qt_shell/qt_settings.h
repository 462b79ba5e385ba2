// The per-user settings store on QSettings: one file per application name
// (~/.config/Involvo/Involvo.conf on Linux), a group per section.
#pragma once

#include <QString>

#include "shell/settings_port.h"

namespace involvo::qtshell {

class QtSettings : public SettingsPort {
public:
    // The stores live in `folder`, one "<application>.conf" each; without a
    // folder, in the platform's own per-user store.
    explicit QtSettings(QString folder = {}) : folder_(std::move(folder)) {}

    std::optional<std::string> GetSetting(const std::string& application, const std::string& section,
                                          const std::string& key) override;
    bool SaveSetting(const std::string& application, const std::string& section, const std::string& key,
                     const std::string& value) override;

private:
    QString folder_;
};

}  // namespace involvo::qtshell
