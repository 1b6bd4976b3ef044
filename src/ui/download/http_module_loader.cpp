#include "ui/download/http_module_loader.h"

#include "ui/download/http_fetcher.h"
#include "ui/shell/program_module.h"

HttpFetcherFactory* LoadHttpModule(QString* error)
{
    return LoadProgramModule<HttpFetcherFactory>(QStringLiteral(GRIDMOOR_HTTP_MODULE),
                                                 QStringLiteral("the download module"), error);
}
