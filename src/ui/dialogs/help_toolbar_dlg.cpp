#include "ui/dialogs/help_toolbar_dlg.h"

#include "data/command_ids.h"
#include "data/command_table.h"
#include "ui/controls/color_static.h"
#include "ui/controls/control_palette.h"
#include "ui/controls/soft_key_bar.h"
#include "ui/controls/toolbar_icons.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <array>
#include <utility>

namespace {

const std::array<std::pair<int, const char*>, 7> kRows{{
    {ID_OPEN_PUZZLE, "Select a puzzle"},
    {ID_PUZZLE_INFO, "Puzzle information"},
    {ID_CHECK, "Check entered words/letters"},
    {ID_REVEAL, "Hint (letter/word/puzzle)"},
    {ID_ALL_CLUES, "Show all clue list"},
    {ID_ACROSS_DOWN, "Toggle clue across/down"},
    {ID_KEYBOARD, "Floating on-screen keyboard"},
}};

constexpr quint32 kHeadingTextColor = 0x000000FF;

} // namespace

CHelpToolBarDlg::CHelpToolBarDlg(int iconSize, QWidget* parent)
    : QDialog(parent), heading_(new CColorStatic(this))
{
    setWindowTitle(QStringLiteral("Help"));
    auto* layout = new QVBoxLayout(this);
    heading_->setText(QStringLiteral("Toolbar Commands"));
    heading_->SetBackColor(GetSystemColor(SystemColor::Window));
    heading_->SetTextColor(kHeadingTextColor);
    heading_->SetFontStyle(true, true);
    layout->addWidget(heading_);
    auto* rows = new QGridLayout();
    int row = 0;
    for (const auto& [id, text] : kRows) {
        auto* icon = new QLabel(this);
        icon->setPixmap(ToolbarImage(id, iconSize));
        icon->setAccessibleName(ToolbarButtonText(id) + QStringLiteral(" button"));
        rows->addWidget(icon, row, 0);
        rows->addWidget(new QLabel(QString::fromLatin1(text), this), row, 1);
        ++row;
    }
    rows->setColumnStretch(1, 1);
    layout->addLayout(rows);
    layout->addStretch();
    CreateSoftKeyBar(this, QStringLiteral("OK"));
    if (parent != nullptr)
        resize(parent->size());
}
