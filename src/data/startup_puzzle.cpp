#include "data/startup_puzzle.h"

#include "core/puzzle_folders.h"
#include "core/puzzle_store.h"

#include <QFileInfo>

bool OpenStartupPuzzle(CPuzzleStore& store, const QString& lastPuzzlePath, const QString& commandLine,
                       bool considerCommandLine)
{
    QString path = lastPuzzlePath;
    if (considerCommandLine && !commandLine.isEmpty() && QFileInfo::exists(commandLine))
        path = commandLine;
    if (!path.isEmpty() && QFileInfo::exists(path) && store.OpenPuzzleFile(path, false))
        return true;
    if (store.OpenAnyPuzzle())
        return true;
    EnsureFolder(GetPuzzleFolder());
    CPuzzleStore::ShowNoPuzzleMessage();
    return false;
}
