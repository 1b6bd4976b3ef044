#include "core/puzzle_store.h"

#include "core/file_picker.h"
#include "core/puzzle.h"
#include "core/puzzle_folders.h"
#include "core/user_prompt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

const QString kPuzzleFilter = QStringLiteral("Puzzle (*.puz *.gmd *.ipuz *.jpz)");
const QString kPuzzleEndings[] = {QStringLiteral(".puz"), QStringLiteral(".gmd"), QStringLiteral(".ipuz"),
                                  QStringLiteral(".jpz")};
constexpr int kMaxSearchDepth = 2;

QStringList RootsBelow(const QStringList& mountPoints, const QString& prefix)
{
    QStringList roots;
    for (const QString& root : mountPoints) {
        if (root.startsWith(prefix) && root.size() > prefix.size())
            roots << root;
    }
    return roots;
}

// A write-protected puzzle becomes writable for its owner again before it is
// deleted, so protection alone never stops the Delete command.
void MakeWritable(const QString& path)
{
    QFile file(path);
    if (!(file.permissions() & QFileDevice::WriteOwner))
        file.setPermissions(file.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
}

} // namespace

CPuzzleStore::CPuzzleStore(CPuzzle& puzzle, FilePicker* picker) : puzzle_(puzzle), picker_(picker) {}

CPuzzleStore::~CPuzzleStore() = default;

void CPuzzleStore::SetFilePicker(FilePicker* picker)
{
    picker_ = picker;
}

void CPuzzleStore::SetCardRoots(const QStringList& roots)
{
    cardRoots_ = roots;
}

QStringList CPuzzleStore::CardRoots() const
{
    return cardRoots_ ? *cardRoots_ : MountedRemovableRoots();
}

QStringList CPuzzleStore::MountedRemovableRoots()
{
    QStringList mountPoints;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            mountPoints << volume.rootPath();
    }
    return RemovableRoots(mountPoints);
}

QStringList CPuzzleStore::RemovableRoots(const QStringList& mountPoints)
{
    return RootsBelow(mountPoints, QStringLiteral("/media/")) + RootsBelow(mountPoints, QStringLiteral("/run/media/"));
}

bool CPuzzleStore::IsPuzzleFileName(const QString& name)
{
    for (const QString& ending : kPuzzleEndings) {
        if (name.size() > ending.size() && name.endsWith(ending, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool CPuzzleStore::OpenPuzzleFile(const QString& path, bool showError)
{
    const QString previousPath = puzzle_.IsLoaded() ? puzzle_.GetPath() : QString();
    const QFileInfo file(path);
    if (path.isEmpty() || !file.exists())
        return false;
    // Only regular files are read: a pipe or a device would block or never end.
    const int code = file.isFile() ? puzzle_.Open(path, showError) : int(CPuzzle::Invalid);
    if (code == CPuzzle::Success)
        return true;
    // A file that could not be read was reported with its reason already; a
    // reader that knows why the file cannot be opened (an ipuz file of
    // another kind, say) says so instead of the general message.
    if (showError && code != CPuzzle::ReadFailed) {
        const QString reason = puzzle_.GetOpenError();
        UserPrompt::Show(reason.isEmpty() ? QStringLiteral("The puzzle can not be opened because it is either "
                                                           "corrupted or has unknown format")
                                          : reason,
                         QStringLiteral("Invalid Puzzle"), UserPrompt::Icon::Error);
    }
    return !previousPath.isEmpty() && OpenPuzzleFile(previousPath, false);
}

bool CPuzzleStore::FindPuzzles(const QString& folder, bool countOnly, int& count, int depth)
{
    if (folder.isEmpty())
        return false;
    const QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir()) {
            if (depth + 1 <= kMaxSearchDepth
                && FindPuzzles(folder + entry.fileName() + u'/', countOnly, count, depth + 1) && !countOnly)
                return true;
        } else if (entry.isFile() && IsPuzzleFileName(entry.fileName())) {
            if (countOnly) {
                ++count;
            } else if (OpenPuzzleFile(folder + entry.fileName(), false)) {
                ++count;
                return true;
            }
        }
    }
    return false;
}

bool CPuzzleStore::FindPuzzlesOnCards(bool countOnly, int& count)
{
    for (const QString& root : CardRoots()) {
        if (FindPuzzles(WithTrailingSlash(root), countOnly, count, 0) && !countOnly)
            return true;
    }
    return false;
}

int CPuzzleStore::FindAnyPuzzle(bool countOnly)
{
    int count = 0;
    if (FindPuzzles(GetDocumentsFolder(), countOnly, count, 0) && !countOnly)
        return count;
    FindPuzzlesOnCards(countOnly, count);
    return count;
}

bool CPuzzleStore::OpenAnyPuzzle()
{
    return FindAnyPuzzle(false) >= 1;
}

QString CPuzzleStore::InitialFolder() const
{
    if (puzzle_.IsLoaded())
        return QFileInfo(puzzle_.GetPath()).absolutePath();
    const QString puzzleFolder = GetPuzzleFolder();
    return QFileInfo(puzzleFolder).isDir() ? puzzleFolder : GetDocumentsFolder();
}

bool CPuzzleStore::OnOpenPuzzle()
{
    if (picker_ == nullptr)
        return false;
    const QString current = puzzle_.IsLoaded() ? puzzle_.GetPath() : QString();
    const QString chosen = picker_->PickFile(kPuzzleFilter, InitialFolder(), current);
    return !chosen.isEmpty() && OpenPuzzleFile(chosen, true);
}

void CPuzzleStore::OnDeletePuzzle()
{
    if (!puzzle_.IsLoaded())
        return;
    const QString path = puzzle_.GetPath();
    const QString note = FindAnyPuzzle(true) < 2
        ? QStringLiteral("NOTE: This puzzle is a latest one on the handheld")
        : QString();
    const UserPrompt::Answer answer = UserPrompt::Show(
        QStringLiteral("Delete currently opened puzzle %1?\n%2").arg(path, note), QStringLiteral("Delete Puzzle"),
        UserPrompt::Icon::Question, UserPrompt::Buttons::YesNo);
    if (answer != UserPrompt::Answer::Yes)
        return;

    puzzle_.Close();
    MakeWritable(path);
    QFile file(path);
    if (!file.remove()) {
        UserPrompt::Show(file.errorString(), QStringLiteral("Unexpected Error"), UserPrompt::Icon::Error);
        return;
    }
    if (!OpenAnyPuzzle())
        ShowNoPuzzleMessage();
}

void CPuzzleStore::ShowNoPuzzleMessage()
{
    UserPrompt::Show(QStringLiteral("No puzzle found. Please download or install at least one"),
                     QStringLiteral("No Puzzle"), UserPrompt::Icon::None);
}
