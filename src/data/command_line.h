#pragma once

#include <QString>
#include <QStringList>

// The command line as one path: the arguments after the program name joined
// by single spaces, without any parsing of quotes or switches. A relative
// path is made absolute against workingFolder, the folder the program was
// started in, so that it names the same file when it is recorded as the last
// puzzle or handed over to a copy running elsewhere: the same file the shell
// and every other program would open, symbolic links followed by the file
// system. Blanks around the path
// are kept where they are: the copy that started treats them as part of the
// name, a running copy that receives the path trims them.
QString CommandLineFromArguments(const QStringList& arguments, const QString& workingFolder);
