#include "platform/qt_shell/qt_settings.h"

#include <QSettings>
#include <QStringList>
#include <memory>

namespace involvo::qtshell {

namespace {

std::unique_ptr<QSettings> Open(const QString& folder, const std::string& application) {
    const QString name = QString::fromStdString(application);
    if (folder.isEmpty())
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, name, name);
    return std::make_unique<QSettings>(folder + QStringLiteral("/") + name + QStringLiteral(".conf"),
                                       QSettings::IniFormat);
}

QString KeyOf(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

}  // namespace

std::optional<std::string> QtSettings::GetSetting(const std::string& application, const std::string& section,
                                                  const std::string& key) {
    auto settings = Open(folder_, application);
    if (settings->status() != QSettings::NoError) return std::nullopt;
    QVariant value = settings->value(KeyOf(section, key));
    if (!value.isValid()) return std::nullopt;
    // A hand-edited value with commas reads back as a list.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QStringLiteral(", ")).toStdString();
    return value.toString().toStdString();
}

bool QtSettings::SaveSetting(const std::string& application, const std::string& section, const std::string& key,
                             const std::string& value) {
    auto settings = Open(folder_, application);
    // A store that could not be read is not written over.
    if (settings->status() != QSettings::NoError || !settings->isWritable()) return false;
    settings->setValue(KeyOf(section, key), QString::fromStdString(value));
    settings->sync();
    return settings->status() == QSettings::NoError;
}

}  // namespace involvo::qtshell
