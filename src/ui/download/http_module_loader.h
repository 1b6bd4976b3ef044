#pragma once

#include <QString>

class HttpFetcherFactory;

// The HTTP module's fetcher factory: the one linked into the program, as the
// tests do, or else the module file beside the program, loaded on the first
// call and kept for the program's life. nullptr when the module cannot be
// loaded, with the reason in error.
HttpFetcherFactory* LoadHttpModule(QString* error);
