#pragma once

#include <QString>
#include <QTemporaryDir>

// A private home folder for one test program, made before its first test
// function runs, whoever starts the program (ctest, a shell, an IDE, a
// debugger). HOME and the XDG folders point into it, so nothing a test does
// can reach the user's own documents, settings or desktop registration. The
// folder and everything in it are removed when the program ends.
class TestHome {
public:
    TestHome();
    ~TestHome();
    TestHome(const TestHome&) = delete;
    TestHome& operator=(const TestHome&) = delete;

    // The private home of this process; empty before a TestHome exists.
    static QString Path();
    // Removes a folder the test made, but only inside the private home: a
    // path outside it (a real home, a typo, an empty path) is left alone and
    // the program stops with a message, since that is a fault of the test.
    static bool RemoveFolder(const QString& path);

private:
    QTemporaryDir dir_;
};
