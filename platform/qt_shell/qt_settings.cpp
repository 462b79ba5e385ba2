#include "platform/qt_shell/qt_settings.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <memory>

namespace involvo::qtshell {

namespace {

// The file of the store, where it is known before QSettings opens it.
QString StoreFile(const QString& folder, const QString& name) {
    if (!folder.isEmpty()) return folder + QStringLiteral("/") + name + QStringLiteral(".conf");
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/") + name +
           QStringLiteral("/") + name + QStringLiteral(".conf");
#else
    return {};
#endif
}

// Nothing when something that is no regular file stands in the store's place:
// QSettings would wait for ever on a pipe, and a folder or a device is no
// store. Such a store is neither read nor written.
std::unique_ptr<QSettings> Open(const QString& folder, const std::string& application) {
    const QString name = QString::fromStdString(application);
    const QString file = StoreFile(folder, name);
    if (!file.isEmpty()) {
        QFileInfo info(file);
        if (info.exists() && !info.isFile()) return nullptr;
    }
    if (folder.isEmpty())
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, name, name);
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

QString KeyOf(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

}  // namespace

std::optional<std::string> QtSettings::GetSetting(const std::string& application, const std::string& section,
                                                  const std::string& key) {
    auto settings = Open(folder_, application);
    if (!settings || settings->status() != QSettings::NoError) return std::nullopt;
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
    if (!settings || settings->status() != QSettings::NoError || !settings->isWritable()) return false;
    settings->setValue(KeyOf(section, key), QString::fromStdString(value));
    settings->sync();
    return settings->status() == QSettings::NoError;
}

}  // namespace involvo::qtshell
