#pragma once

#include "data/settings.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QString>

// A home folder of its own for a child process of the program, and a way to
// read the settings the child saved there exactly as the program reads them.
class ChildHome {
public:
    explicit ChildHome(const QString& path) : path_(path)
    {
        QDir().mkpath(path + QStringLiteral("/run"));
        QFile::setPermissions(path + QStringLiteral("/run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    const QString& Path() const { return path_; }
    QString DataFile() const { return path_ + QStringLiteral("/Documents/GridmoorData"); }

    QProcessEnvironment Environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), path_);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), path_ + QStringLiteral("/.config"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), path_ + QStringLiteral("/.local/share"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), path_ + QStringLiteral("/run"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return environment;
    }

private:
    QString path_;
};

// While it lives, the settings of this process are those of the child's home:
// loaded on construction, and saved there by Settings().SaveSettings().
class ChildSettings {
public:
    explicit ChildSettings(const ChildHome& home)
        : savedHome_(qgetenv("HOME")), savedConfig_(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("HOME", home.Path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home.Path() + QStringLiteral("/.config")).toLocal8Bit());
        settings_.LoadSettings();
    }
    ~ChildSettings()
    {
        qputenv("HOME", savedHome_);
        qputenv("XDG_CONFIG_HOME", savedConfig_);
    }
    ChildSettings(const ChildSettings&) = delete;
    ChildSettings& operator=(const ChildSettings&) = delete;

    CSettings& Settings() { return settings_; }

private:
    QByteArray savedHome_;
    QByteArray savedConfig_;
    CSettings settings_{44, 0};
};
