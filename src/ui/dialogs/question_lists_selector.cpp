#include "ui/dialogs/question_lists_selector.h"

#include "core/message_event.h"
#include "data/all_clues_layout.h"
#include "ui/controls/clue_list_ctrl.h"
#include "ui/controls/dpi_scaling.h"
#include "ui/controls/soft_key_bar.h"
#include "ui/controls/toggle_button.h"

#include <QCheckBox>
#include <QDialogButtonBox>

CQuestionListsSelector::CQuestionListsSelector(const CPuzzle* puzzle, bool acrossFirst, bool highlightSolved,
                                               QWidget* parent)
    : QDialog(parent),
      items_(BuildClueListItems(*puzzle)),
      showAcross_(!acrossFirst),
      highlightSolved_(highlightSolved),
      acrossTab_(new CToggleButton(QStringLiteral("Across"), this)),
      downTab_(new CToggleButton(QStringLiteral("Down"), this)),
      list_(new CClueListCtrl(this)),
      checkBox_(new QCheckBox(QStringLiteral("Highlight Solved"), this)),
      softKeys_(CreateSoftKeyBar(this, QStringLiteral("Done")))
{
    setWindowTitle(QStringLiteral("All Clues"));
    checkBox_->setChecked(highlightSolved_);
    acrossTab_->SetSelectedLook(showAcross_, false);
    downTab_->SetSelectedLook(!showAcross_, false);
    list_->SetItems(&items_);
    list_->ShowList(showAcross_);
    // The list starts on the other direction, so this always switches.
    SetDirection(acrossFirst);
    list_->SetHighlightSolved(highlightSolved_);
    connect(acrossTab_, &QPushButton::clicked, this, [this] { SetDirection(true); });
    connect(downTab_, &QPushButton::clicked, this, [this] { SetDirection(false); });
    connect(checkBox_, &QCheckBox::clicked, this, &CQuestionListsSelector::OnHighlightClicked);
    connect(list_, &CClueListCtrl::DirectionRequested, this, &CQuestionListsSelector::SetDirection);
    // The list takes the keys, so a clue can be chosen without the mouse.
    list_->setFocus();
    setMinimumSize(ScaleByDpi(160), ScaleByDpi(160));
    if (parent != nullptr)
        resize(parent->window()->size());
    LayOut();
}

void CQuestionListsSelector::SetDirection(bool across)
{
    if (across == showAcross_)
        return;
    showAcross_ = across;
    list_->ShowList(across);
    acrossTab_->SetSelectedLook(across, true);
    downTab_->SetSelectedLook(!across, true);
}

void CQuestionListsSelector::OnHighlightClicked()
{
    highlightSolved_ = !highlightSolved_;
    list_->SetHighlightSolved(highlightSolved_);
}

bool CQuestionListsSelector::event(QEvent* event)
{
    if (MessageEvent::IdOf(event) == UM_CLUE_CHOSEN) {
        OnClueChosen();
        return true;
    }
    return QDialog::event(event);
}

// A tap below the last row leaves the dialog open without a clue.
void CQuestionListsSelector::OnClueChosen()
{
    const int row = list_->SelectedRow();
    if (row < 0) {
        result_ = -1;
        return;
    }
    result_ = list_->Item(row).clueIndex;
    accept();
}

void CQuestionListsSelector::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayOut();
}

// The soft keys take the bottom row; the tabs, the list and the check box
// share the rest.
void CQuestionListsSelector::LayOut()
{
    const int margin = ScaleByDpi(kTabMargin);
    const int keysHeight = softKeys_->sizeHint().height();
    const int keysTop = height() - margin - keysHeight;
    softKeys_->setGeometry(margin, keysTop, width() - 2 * margin, keysHeight);
    const QRect client(0, 0, width(), keysTop - margin);
    const QRect check(margin, 0, checkBox_->sizeHint().width(), checkBox_->sizeHint().height());
    const AllCluesLayout layout = LayoutAllClues(client, QPoint(margin, margin), ScaleByDpi(kTabHeight), check);
    checkBox_->setGeometry(layout.checkBox);
    acrossTab_->setGeometry(layout.acrossTab);
    downTab_->setGeometry(layout.downTab);
    list_->setGeometry(layout.list);
}
