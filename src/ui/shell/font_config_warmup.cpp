#include "ui/shell/font_config_warmup.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

FontConfigWarmup::FontConfigWarmup()
{
    // Without a second thread the configuration is simply loaded later,
    // where the first text needs it.
    try {
        thread_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
    }
}

FontConfigWarmup::~FontConfigWarmup()
{
    Finish();
}

void FontConfigWarmup::Finish()
{
    if (thread_.joinable())
        thread_.join();
}
