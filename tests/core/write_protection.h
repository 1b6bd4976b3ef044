#pragma once

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <unistd.h>

// Makes a file unwritable for the rest of the scope. Permissions do not stop
// root, so when the tests run as root the scope also switches the effective
// user to "nobody", for whom the 0444 file (in a folder it may enter but not
// write) is really read-only. IsActive() is false when neither works.
class WriteProtection {
public:
    explicit WriteProtection(const QString& path)
    {
        const QString folder = QFileInfo(path).absolutePath();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                          | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        if (geteuid() == 0)
            switchedUser_ = seteuid(kNobody) == 0;
        active_ = !IsWritable(path);
    }

    ~WriteProtection()
    {
        // Carrying on as "nobody" would make every later test meaningless.
        if (switchedUser_ && seteuid(0) != 0)
            std::abort();
    }

    bool IsActive() const { return active_; }

private:
    static constexpr uid_t kNobody = 65534;

    static bool IsWritable(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly);
    }

    bool switchedUser_ = false;
    bool active_ = false;
};

// Makes a file's folder unwritable while the file itself stays writable, for
// the rest of the scope; as root, by switching the effective user to "nobody"
// as above. IsActive() is false when the folder stays writable.
class UnwritableFolder {
public:
    explicit UnwritableFolder(const QString& path) : folder_(QFileInfo(path).absolutePath())
    {
        const auto everyone = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther | QFile::WriteOwner
            | QFile::WriteGroup | QFile::WriteOther;
        QFile::setPermissions(path, everyone);
        QFile::setPermissions(folder_, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                           | QFile::ReadOther | QFile::ExeOther);
        if (geteuid() == 0)
            switchedUser_ = seteuid(kNobody) == 0;
        QFile probe(folder_ + QStringLiteral("/probe"));
        active_ = !probe.open(QIODevice::WriteOnly);
    }

    ~UnwritableFolder()
    {
        if (switchedUser_ && seteuid(0) != 0)
            std::abort();
        QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    bool IsActive() const { return active_; }

private:
    static constexpr uid_t kNobody = 65534;

    QString folder_;
    bool switchedUser_ = false;
    bool active_ = false;
};

// Lets no write of this process grow a file beyond a few bytes for the rest of
// the scope, as a full disk would; root is bound by it too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }

    ~FileSizeLimit()
    {
        if (active_)
            setrlimit(RLIMIT_FSIZE, &previous_);
    }

    bool IsActive() const { return active_; }

private:
    rlimit previous_ {};
    bool active_ = false;
};
