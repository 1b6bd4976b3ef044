#include "data/command_line.h"

QString CommandLineFromArguments(const QStringList& arguments)
{
    return arguments.mid(1).join(u' ');
}
