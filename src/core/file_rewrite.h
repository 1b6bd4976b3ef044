#pragma once

#include <QByteArray>
#include <QString>

// What became of a file that was to get new content.
struct FileRewrite {
    enum Outcome {
        Written,     // the file holds the new content and it reached the disk
        LeftAsItWas, // the file still holds its old content
        Damaged      // an in-place write failed and the old content could not be put back
    };
    Outcome outcome = Written;
    // Why it failed, in the system's words; empty when written.
    QString reason;
};

// Replaces the content of an existing file. Normally the new content goes to
// a temporary file beside it that then replaces it, so a crash never leaves
// half a file. When the folder cannot take that temporary file but the file
// itself is writable, the file is rewritten in place (the same file, so its
// hard links and owner stay) and synced to the disk; should that fail, the
// old content is written back.
FileRewrite RewriteFile(const QString& path, const QByteArray& content);
