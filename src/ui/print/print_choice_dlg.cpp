#include "ui/print/print_choice_dlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CPrintChoiceDlg::CPrintChoiceDlg(Purpose purpose, const PrintChoice& initial, QWidget* parent)
    : QDialog(parent),
      letters_(new QButtonGroup(this)),
      saveInk_(new QCheckBox(QStringLiteral("Save &ink: black squares as light hatching"), this))
{
    setWindowTitle(purpose == Purpose::Print ? QStringLiteral("Print") : QStringLiteral("Export PDF"));
    auto* layout = new QVBoxLayout(this);
    const std::pair<PrintedLetters, const char*> choices[] = {
        {PrintedLetters::None, "&Blank grid"},
        {PrintedLetters::Entries, "With my &entries"},
        {PrintedLetters::Solution, "With the &solution"},
    };
    for (const auto& [letters, text] : choices) {
        auto* button = new QRadioButton(QString::fromLatin1(text), this);
        letters_->addButton(button, int(letters));
        button->setChecked(letters == initial.letters);
        layout->addWidget(button);
    }
    saveInk_->setChecked(initial.saveInk);
    layout->addWidget(saveInk_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    if (purpose == Purpose::Print) {
        buttons->addButton(QStringLiteral("&Print..."), QDialogButtonBox::AcceptRole)->setDefault(true);
        QPushButton* preview = buttons->addButton(QStringLiteral("Pre&view..."), QDialogButtonBox::AcceptRole);
        connect(preview, &QPushButton::clicked, this, [this] { preview_ = true; });
    } else {
        buttons->addButton(QStringLiteral("&Export..."), QDialogButtonBox::AcceptRole)->setDefault(true);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

PrintChoice CPrintChoiceDlg::Choice() const
{
    return {PrintedLetters(letters_->checkedId()), saveInk_->isChecked()};
}
