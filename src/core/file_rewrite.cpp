#include "core/file_rewrite.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <unistd.h>

namespace {

enum class Sync { Now, AtCommit };

// Writes the whole content from the start of the file and cuts the file to its
// length; with Sync::Now it also waits until it is on the disk (QSaveFile's
// commit does that itself, so a temporary file needs no second wait).
bool WriteWhole(int fd, const QByteArray& content, QString* reason, Sync sync = Sync::Now)
{
    qsizetype done = 0;
    while (done < content.size()) {
        const ssize_t written = ::pwrite(fd, content.constData() + done, size_t(content.size() - done), off_t(done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            *reason = qt_error_string(written < 0 ? errno : ENOSPC);
            return false;
        }
        done += written;
    }
    if (::ftruncate(fd, off_t(content.size())) != 0 || (sync == Sync::Now && ::fsync(fd) != 0)) {
        *reason = qt_error_string(errno);
        return false;
    }
    return true;
}

FileRewrite RewriteInPlace(QFile& file, const QByteArray& content)
{
    const QByteArray old = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {FileRewrite::LeftAsItWas, file.errorString()};
    QString reason;
    if (WriteWhole(file.handle(), content, &reason))
        return {FileRewrite::Written, QString()};
    // A full disk still lets the blocks the old content occupied be written.
    QString ignored;
    return {WriteWhole(file.handle(), old, &ignored) ? FileRewrite::LeftAsItWas : FileRewrite::Damaged, reason};
}

} // namespace

FileRewrite RewriteFile(const QString& path, const QByteArray& content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        QFile target(path);
        if (!target.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
            return {FileRewrite::LeftAsItWas, file.errorString()};
        return RewriteInPlace(target, content);
    }
    // Written through the descriptor, so a short write is caught with the
    // system's reason before commit() could replace the old file.
    QString reason;
    if (WriteWhole(file.handle(), content, &reason, Sync::AtCommit) && file.commit())
        return {FileRewrite::Written, QString()};
    if (reason.isEmpty())
        reason = file.errorString();
    file.cancelWriting();
    return {FileRewrite::LeftAsItWas, reason};
}
