#pragma once

#include <QObject>
#include <QString>

// The program's own modules (Qt plugins beside the program, loaded on first
// use so that what only they need costs nothing at start). Programs that link
// a module in, as the tests do, find it among Qt's static plugins first.
namespace ProgramModule {

// The root object of the module file beside the program for which isWanted
// holds; nullptr, with the reason in error, when it cannot be loaded. what
// names the module in that reason.
QObject* Load(const QString& fileName, const QString& what, bool (*isWanted)(QObject*), QString* error);

} // namespace ProgramModule

// The module's interface, loaded on the first call and kept for the
// program's life; a failed load is tried again on the next call.
template <typename Interface>
Interface* LoadProgramModule(const QString& fileName, const QString& what, QString* error)
{
    static Interface* module = nullptr;
    if (module == nullptr) {
        module = qobject_cast<Interface*>(ProgramModule::Load(
            fileName, what, [](QObject* root) { return qobject_cast<Interface*>(root) != nullptr; }, error));
    }
    return module;
}
