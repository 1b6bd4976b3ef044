#include "ui/http/http_module.h"

#include "ui/http/qt_http_fetcher.h"

std::unique_ptr<HttpFetcher> HttpModule::NewFetcher(HttpFetchEvents& events)
{
    return std::make_unique<QtHttpFetcher>(events);
}
