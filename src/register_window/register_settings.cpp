#include "register_window/register_settings.h"

#include <QByteArray>
#include <QDir>
#include <QSettings>
#include <QVariantMap>

namespace {

constexpr char kFolderKey[] = "register/folder";
constexpr char kRepeatsKey[] = "register/repeats";
constexpr char kExportFolderKey[] = "register/exportFolder";

QSettings Settings() { return QSettings(QStringLiteral("UNRA5"), QStringLiteral("unra5-register")); }

// A folder named with either separator, with or without a trailing one, is
// the same folder.
QString FolderKey(const QString& folder) { return QDir::cleanPath(QDir::fromNativeSeparators(folder)); }

} // namespace

QString RememberedFolder() { return Settings().value(QString::fromLatin1(kFolderKey)).toString(); }

void RememberFolder(const QString& folder) { Settings().setValue(QString::fromLatin1(kFolderKey), folder); }

// The paths are kept as their bytes: on Linux a name need not be UTF-8.
reg::RepeatChoice RememberedRepeatChoice(const QString& folder)
{
    const QVariantMap all = Settings().value(QString::fromLatin1(kRepeatsKey)).toMap();
    reg::RepeatChoice chosen;
    for (const QVariant& path : all.value(FolderKey(folder)).toList()) {
        const QByteArray bytes = path.toByteArray();
        chosen.insert(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
    return chosen;
}

void RememberRepeatChoice(const QString& folder, const reg::RepeatChoice& chosen)
{
    QSettings settings = Settings();
    QVariantMap all = settings.value(QString::fromLatin1(kRepeatsKey)).toMap();
    QVariantList paths;
    for (const std::string& path : chosen)
        paths.push_back(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
    if (paths.isEmpty())
        all.remove(FolderKey(folder));
    else
        all.insert(FolderKey(folder), paths);
    settings.setValue(QString::fromLatin1(kRepeatsKey), all);
}

QString RememberedExportFolder() { return Settings().value(QString::fromLatin1(kExportFolderKey)).toString(); }

void RememberExportFolder(const QString& folder) { Settings().setValue(QString::fromLatin1(kExportFolderKey), folder); }
