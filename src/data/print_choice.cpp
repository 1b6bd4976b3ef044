#include "data/print_choice.h"

#include "data/desktop_settings.h"

#include <algorithm>

namespace {

const QString kLetters = QStringLiteral("print/letters");
const QString kSaveInk = QStringLiteral("print/saveInk");

} // namespace

PrintChoice LoadPrintChoice()
{
    const QSettings settings = DesktopSettings();
    const int letters = std::clamp(settings.value(kLetters, 0).toInt(), 0, int(PrintedLetters::Solution));
    return {PrintedLetters(letters), settings.value(kSaveInk, false).toBool()};
}

void SavePrintChoice(const PrintChoice& choice)
{
    QSettings settings = DesktopSettings();
    settings.setValue(kLetters, int(choice.letters));
    settings.setValue(kSaveInk, choice.saveInk);
}
