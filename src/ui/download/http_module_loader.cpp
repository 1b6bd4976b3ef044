#include "ui/download/http_module_loader.h"

#include "ui/download/http_fetcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>

namespace {

HttpFetcherFactory* LinkedInModule()
{
    for (QObject* instance : QPluginLoader::staticInstances()) {
        if (auto* factory = qobject_cast<HttpFetcherFactory*>(instance))
            return factory;
    }
    return nullptr;
}

} // namespace

HttpFetcherFactory* LoadHttpModule(QString* error)
{
    static HttpFetcherFactory* factory = nullptr;
    if (factory == nullptr)
        factory = LinkedInModule();
    if (factory != nullptr)
        return factory;
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(GRIDMOOR_HTTP_MODULE));
    QPluginLoader loader(path);
    factory = qobject_cast<HttpFetcherFactory*>(loader.instance());
    if (factory == nullptr)
        *error = path + QStringLiteral(": ")
            + (loader.isLoaded() ? QStringLiteral("not the download module") : loader.errorString());
    return factory;
}
