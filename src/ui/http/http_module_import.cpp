// Registers the HTTP module with the programs that link it in instead of
// loading it (the tests), so that the module loader finds it among Qt's
// static plugins.
#include <QtPlugin>

Q_IMPORT_PLUGIN(HttpModule)
