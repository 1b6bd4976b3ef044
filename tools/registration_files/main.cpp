// Writes the desktop entry and the shared-mime-info package that the
// installation places system-wide, with the texts the program's per-user
// registration writes, so that both always agree.
//
// usage: gridmoor_registration_files PROGRAM DESKTOP-ENTRY MIME-PACKAGE THUMBNAILER
#include "data/file_type_registration.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

bool Write(const QString& path, const QString& text)
{
    QString error;
    if (WriteUtf8File(path, text, &error))
        return true;
    std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(error));
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 5) {
        std::fprintf(stderr, "usage: %s PROGRAM DESKTOP-ENTRY MIME-PACKAGE THUMBNAILER\n", argv[0]);
        return 2;
    }
    const bool written = Write(arguments.at(2), DesktopEntryText(arguments.at(1)))
        && Write(arguments.at(3), MimePackageText()) && Write(arguments.at(4), ThumbnailerText(arguments.at(1)));
    return written ? 0 : 1;
}
