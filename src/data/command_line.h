#pragma once

#include <QString>
#include <QStringList>

// The command line as one path: the arguments after the program name joined
// by single spaces, without any parsing of quotes or switches.
QString CommandLineFromArguments(const QStringList& arguments);
