#include "ui/shell/program_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>

namespace ProgramModule {

QObject* Load(const QString& fileName, const QString& what, bool (*isWanted)(QObject*), QString* error)
{
    for (QObject* instance : QPluginLoader::staticInstances()) {
        if (isWanted(instance))
            return instance;
    }
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(fileName);
    QPluginLoader loader(path);
    QObject* root = loader.instance();
    if (root != nullptr && isWanted(root))
        return root;
    *error = path + QStringLiteral(": ") + (loader.isLoaded() ? QStringLiteral("not ") + what : loader.errorString());
    return nullptr;
}

} // namespace ProgramModule
