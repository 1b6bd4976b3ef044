#include "ui/shell/puzzle_sender.h"

#include "core/user_prompt.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

SendCommand SendCommandFor(SendMethod method, const QString& path, const QString& subject)
{
    if (method == SendMethod::Beam)
        return {QStringLiteral("bluetooth-sendto"), {path}};
    QStringList arguments;
    if (!subject.isEmpty())
        arguments << QStringLiteral("--subject") << subject;
    return {QStringLiteral("xdg-email"), arguments << QStringLiteral("--attach") << path};
}

bool SendPuzzleFile(SendMethod method, const QString& path, const QString& subject)
{
    const QString caption = method == SendMethod::Beam ? QStringLiteral("Beam") : QStringLiteral("Send via E-mail");
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        UserPrompt::Show(QStringLiteral("The puzzle file cannot be found"), caption, UserPrompt::Icon::Error);
        return false;
    }
    const SendCommand command = SendCommandFor(method, path, subject);
    const QString program = QStandardPaths::findExecutable(command.program);
    if (program.isEmpty() || !QProcess::startDetached(program, command.arguments)) {
        const QString text = method == SendMethod::Beam
            ? QStringLiteral("No Bluetooth sending service is available on this computer")
            : QStringLiteral("No e-mail program is available on this computer");
        UserPrompt::Show(text, caption, UserPrompt::Icon::Information);
        return false;
    }
    return true;
}
