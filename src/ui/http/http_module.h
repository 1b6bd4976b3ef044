#pragma once

#include "ui/download/http_fetcher.h"

#include <QObject>

// The loadable module's root object: it makes fetchers on Qt Network.
class HttpModule : public QObject, public HttpFetcherFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID GRIDMOOR_HTTP_FETCHER_FACTORY_IID)
    Q_INTERFACES(HttpFetcherFactory)

public:
    std::unique_ptr<HttpFetcher> NewFetcher(HttpFetchEvents& events) override;
};
