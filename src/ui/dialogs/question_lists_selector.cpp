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
      section_(acrossFirst ? 1 : 0),
      highlightSolved_(highlightSolved),
      list_(new CClueListCtrl(this)),
      checkBox_(new QCheckBox(QStringLiteral("Highlight Solved"), this)),
      softKeys_(CreateSoftKeyBar(this, QStringLiteral("Done")))
{
    setWindowTitle(QStringLiteral("All Clues"));
    checkBox_->setChecked(highlightSolved_);
    for (int section = 0; section < items_.sections.size(); ++section) {
        auto* tab = new CToggleButton(items_.sections.at(section).title, this);
        tab->setToolTip(tab->text());
        tab->SetSelectedLook(section == section_, false);
        connect(tab, &QPushButton::clicked, this, [this, section] { SetSection(section); });
        tabs_.append(tab);
    }
    // Tab moves from the tabs to the list, then to the check box.
    QWidget::setTabOrder(tabs_.last(), list_);
    list_->SetItems(&items_);
    list_->ShowSection(section_);
    // The list starts on the other direction, so this always switches.
    SetSection(acrossFirst ? 0 : 1);
    list_->SetHighlightSolved(highlightSolved_);
    connect(checkBox_, &QCheckBox::clicked, this, &CQuestionListsSelector::OnHighlightClicked);
    connect(list_, &CClueListCtrl::SectionRequested, this, &CQuestionListsSelector::SetSection);
    // The list takes the keys, so a clue can be chosen without the mouse.
    list_->setFocus();
    setMinimumSize(ScaleByDpi(160), ScaleByDpi(160));
    if (parent != nullptr)
        resize(parent->window()->size());
    LayOut();
}

void CQuestionListsSelector::SetSection(int section)
{
    if (section == section_ || section < 0 || section >= tabs_.size())
        return;
    section_ = section;
    list_->ShowSection(section);
    for (int tab = 0; tab < tabs_.size(); ++tab)
        tabs_.at(tab)->SetSelectedLook(tab == section, true);
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
    const ClueListItem& item = list_->Item(row);
    result_ = item.clueIndex;
    if (result_ < 0) {
        chosenSquares_ = item.squares;
        chosenLine_ = list_->ShownTitle() + QLatin1Char(' ') + item.text;
    }
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
    const AllCluesLayout layout =
        LayoutAllClues(client, QPoint(margin, margin), ScaleByDpi(kTabHeight), check, int(tabs_.size()));
    checkBox_->setGeometry(layout.checkBox);
    for (int tab = 0; tab < tabs_.size(); ++tab)
        tabs_.at(tab)->setGeometry(layout.tabs.value(tab));
    list_->setGeometry(layout.list);
}
