#include "data/solving_options.h"

#include "data/desktop_settings.h"

namespace {

constexpr char kNumbersKey[] = "Solving/numbersInSquares";
constexpr char kPencilKey[] = "Solving/pencil";
constexpr char kCheckKey[] = "Solving/checkAsYouType";
constexpr char kSkipKey[] = "Solving/skipFilledSquares";

} // namespace

SolvingOptions LoadSolvingOptions()
{
    const QSettings settings = DesktopSettings();
    const SolvingOptions defaults;
    SolvingOptions options;
    options.numbersInSquares = settings.value(QString::fromLatin1(kNumbersKey), defaults.numbersInSquares).toBool();
    options.pencil = settings.value(QString::fromLatin1(kPencilKey), defaults.pencil).toBool();
    options.checkAsYouType = settings.value(QString::fromLatin1(kCheckKey), defaults.checkAsYouType).toBool();
    options.skipFilledSquares = settings.value(QString::fromLatin1(kSkipKey), defaults.skipFilledSquares).toBool();
    return options;
}

void SaveSolvingOptions(const SolvingOptions& options)
{
    QSettings settings = DesktopSettings();
    settings.setValue(QString::fromLatin1(kNumbersKey), options.numbersInSquares);
    settings.setValue(QString::fromLatin1(kPencilKey), options.pencil);
    settings.setValue(QString::fromLatin1(kCheckKey), options.checkAsYouType);
    settings.setValue(QString::fromLatin1(kSkipKey), options.skipFilledSquares);
    settings.sync();
}
