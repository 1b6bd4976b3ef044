#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The real program as an end-to-end test runs it: a copy in a folder of its
// own (its first start moves the documents shipped beside it, so it must not
// run from the build tree) and a fresh home with the desktop's folders, on
// the test's own X display.
struct ProgramUnderTest {
    QString program;
    QString home;
    QProcessEnvironment environment;
};

// Copies the program and the shipped files into root/app and makes
// root/home. Empty program when something is missing; error then says what
// (a missing xdotool or xvfb-run names its package).
ProgramUnderTest PrepareProgram(const QString& root, const QString& program, const QStringList& shipped,
                                QString* error);
