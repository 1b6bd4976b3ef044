#pragma once

#include <QString>

#include <initializer_list>

// The external commands a test drives. A missing one makes the test fail with
// the Debian package to install, never skip: a test that quietly passes on a
// machine without its tools checks nothing.
namespace RequiredTools {
struct Tool {
    const char* command;
    const char* package;
};

// An empty string when every command is on the PATH, else a message naming
// each missing command and its package.
QString Missing(std::initializer_list<Tool> tools);
} // namespace RequiredTools
