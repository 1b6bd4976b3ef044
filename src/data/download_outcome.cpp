#include "data/download_outcome.h"

#include <QFileInfo>

QString OutcomeText(const DownloadOutcome& outcome)
{
    const QString fileName = QFileInfo(outcome.path).fileName();
    switch (outcome.kind) {
    case DownloadOutcome::Kind::Saved:
        return QStringLiteral("Saved as %1").arg(fileName);
    case DownloadOutcome::Kind::AlreadyThere:
        return QStringLiteral("Already there: %1").arg(fileName);
    case DownloadOutcome::Kind::NotAPuzzle:
        return QStringLiteral("Not a puzzle");
    case DownloadOutcome::Kind::Stopped:
        return QStringLiteral("Not downloaded: the run was stopped");
    case DownloadOutcome::Kind::Failed:
    case DownloadOutcome::Kind::TimedOut:
        break;
    }
    // Only the first sentence: advice and the library's details do not fit a row.
    const QString paragraph = outcome.message.section(QStringLiteral("\n\n"), 0, 0);
    const qsizetype end = paragraph.indexOf(QStringLiteral(". "));
    return end < 0 ? paragraph : paragraph.left(end + 1);
}
