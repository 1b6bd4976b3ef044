#include "ui/dialogs/property_puzzl_dlg.h"

#include "data/puzzle_info_text.h"
#include "data/settings.h"
#include "ui/controls/color_edit.h"
#include "ui/controls/color_ref.h"
#include "ui/controls/control_palette.h"
#include "ui/controls/soft_key_bar.h"

#include <QVBoxLayout>

CPropertyPuzzlDlg::CPropertyPuzzlDlg(const CPuzzle* puzzle, QWidget* parent)
    : QDialog(parent), textPane_(new CColorEdit(this))
{
    setWindowTitle(QStringLiteral("Puzzle Information"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textPane_);
    textPane_->setReadOnly(true);
    // A caret lets the keyboard (and a screen reader's review) go through the
    // text; Tab then moves on to OK instead of staying in the pane.
    textPane_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    textPane_->setTabChangesFocus(true);
    textPane_->setAccessibleName(QStringLiteral("Puzzle information"));
    textPane_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    textPane_->setPlainText(PuzzleInfoText(*puzzle, g_settings->lastPuzzlePath));
    // The pane takes the window's background instead of the read-only grey,
    // and the text colour that goes with it.
    textPane_->SetTextColor(ColorRefFromQColor(textPane_->palette().color(QPalette::Active, QPalette::Text)));
    textPane_->SetBackgroundColor(GetSystemColor(SystemColor::Window));
    CreateSoftKeyBar(this, QStringLiteral("OK"));
    if (parent != nullptr)
        resize(parent->window()->size());
}
