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
    QPluginLoader loader(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(GRIDMOOR_HTTP_MODULE)));
    factory = qobject_cast<HttpFetcherFactory*>(loader.instance());
    if (factory == nullptr)
        *error = loader.isLoaded() ? QStringLiteral("%1: not the download module").arg(loader.fileName())
                                   : loader.errorString();
    return factory;
}
