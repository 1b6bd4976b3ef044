#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Makes the program's puzzle files open with it on the desktop: a
// shared-mime-info package gives each file type its media type, a desktop
// entry runs the program with the file, and the user's mimeapps.list names
// that entry as each type's default unless the user chose another program.
// Only what is missing or differs is written (compared without regard to
// case, except the program's path, which names a file and so must match
// exactly); afterwards the desktop's caches are refreshed where their tools
// are installed. Failures are silent.
//
// programPath defaults to the running program. Returns the number of files
// written or removed, which callers may ignore.
int RegisterFileTypes(const QString& programPath = QString());

// One file type the program opens: its media type, the name file managers
// show for it, earlier names of the type (kept as aliases) and the patterns
// of its file names, and the type it is a kind of (empty for none).
struct RegisteredFileType {
    QString mediaType;
    QString comment;
    QStringList aliases;
    QStringList globs;
    QString subClassOf;
};

// Every file type the program registers, in the order they are written.
const QList<RegisteredFileType>& RegisteredFileTypes();

// The texts of the shared-mime-info package and of the desktop entry that
// runs programPath; the installation places the same texts system-wide.
QString MimePackageText();
QString DesktopEntryText(const QString& programPath);
// The freedesktop thumbnailer the installation places in share/thumbnailers:
// file managers run programPath with --thumbnail for every registered type.
QString ThumbnailerText(const QString& programPath);
// Writes the text as UTF-8, atomically, making its folder; false, with the
// reason in error when given, when it cannot.
bool WriteUtf8File(const QString& path, const QString& text, QString* error = nullptr);

// The names the association uses. The desktop entry and the icon are named
// after the application id; earlier versions named the entry "gridmoor".
inline constexpr char kApplicationId[] = "org.gridmoor.gridmoor";
inline constexpr char kDesktopEntryName[] = "org.gridmoor.gridmoor.desktop";
inline constexpr char kFormerDesktopEntryName[] = "gridmoor.desktop";
inline constexpr char kPuzzleContentType[] = "application/x-crossword";
inline constexpr char kFormerContentType[] = "crossword/puz";
// shared-mime-info has no type for ".ipuz"; this one is the name in use.
inline constexpr char kIpuzContentType[] = "application/x-ipuz";
// Nor for ".jpz" (XML text or a zip archive holding it).
inline constexpr char kJpzContentType[] = "application/x-jpz";
