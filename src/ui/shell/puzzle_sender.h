#pragma once

#include <QString>
#include <QStringList>

// Sends the current puzzle file to another device or person: "Beam" through
// the desktop's Bluetooth sender, "Send via E-mail" through the desktop's mail
// program with the file attached. The transfer and its user interface are
// the helper program's.
enum class SendMethod { Beam, Email };

struct SendCommand {
    QString program;
    QStringList arguments;
};

// subject: the e-mail's subject (the puzzle's title); none when empty.
SendCommand SendCommandFor(SendMethod method, const QString& path, const QString& subject = QString());

// Starts the helper for path. When the helper is not installed, or the file
// is gone, the user is told so; returns whether the helper was started. The
// mail helper is watched, and when it ends in failure (no mail program set
// up) the user is told so as well, once it has ended.
bool SendPuzzleFile(SendMethod method, const QString& path, const QString& subject = QString());
