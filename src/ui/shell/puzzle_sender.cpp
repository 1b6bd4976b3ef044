#include "ui/shell/puzzle_sender.h"

#include "core/user_prompt.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

// xdg-email's exit code when no mail program is set up.
constexpr int kNoMailProgramExitCode = 3;

QString CaptionFor(SendMethod method)
{
    return method == SendMethod::Beam ? QStringLiteral("Beam") : QStringLiteral("Send via E-mail");
}

void TellNoHelper(SendMethod method)
{
    const QString text = method == SendMethod::Beam
        ? QStringLiteral("No Bluetooth sending service is available on this computer")
        : QStringLiteral("No e-mail program is available on this computer");
    UserPrompt::Show(text, CaptionFor(method), UserPrompt::Icon::Information);
}

void TellMailFailed(int exitCode)
{
    const QString text = exitCode == kNoMailProgramExitCode
        ? QStringLiteral("No e-mail program is set up on this computer")
        : QStringLiteral("The e-mail program could not be started");
    UserPrompt::Show(text, CaptionFor(SendMethod::Email), UserPrompt::Icon::Information);
}

// The mail helper reports a missing mail program only through its exit code,
// so it is watched until it ends. The process has no parent: quitting the game
// meanwhile must not stop the mail program it may have opened.
void StartWatchedMailer(const QString& program, const QStringList& arguments)
{
    auto* process = new QProcess;
    process->setProgram(program);
    process->setArguments(arguments);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process, [process](int exitCode, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit || exitCode != 0)
            TellMailFailed(status == QProcess::NormalExit ? exitCode : -1);
        process->deleteLater();
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [process](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        TellNoHelper(SendMethod::Email);
        process->deleteLater();
    });
    process->start();
}

} // namespace

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
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        UserPrompt::Show(QStringLiteral("The puzzle file cannot be found"), CaptionFor(method),
                         UserPrompt::Icon::Error);
        return false;
    }
    const SendCommand command = SendCommandFor(method, path, subject);
    const QString program = QStandardPaths::findExecutable(command.program);
    if (program.isEmpty()) {
        TellNoHelper(method);
        return false;
    }
    if (method == SendMethod::Email) {
        StartWatchedMailer(program, command.arguments);
        return true;
    }
    if (!QProcess::startDetached(program, command.arguments)) {
        TellNoHelper(method);
        return false;
    }
    return true;
}
