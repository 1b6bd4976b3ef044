#pragma once

#include <QString>

// Makes this program's desktop entry the default, in the text of a user's
// mimeapps.list, for every file type it registers that has no default yet or
// whose default is this program (under its current or its former entry
// name). A default the user gave to another program is the user's choice and
// stays, even when it is set under one of the type's aliases. Every other line
// stays as it is. Answers whether the text changed.
bool MakeThisProgramTheDefault(QString* mimeAppsText);
