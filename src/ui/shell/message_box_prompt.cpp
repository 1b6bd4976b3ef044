#include "ui/shell/message_box_prompt.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace {

QMessageBox::Icon BoxIcon(UserPrompt::Icon icon)
{
    switch (icon) {
    case UserPrompt::Icon::Error:
        return QMessageBox::Critical;
    case UserPrompt::Icon::Warning:
        return QMessageBox::Warning;
    case UserPrompt::Icon::Information:
        return QMessageBox::Information;
    case UserPrompt::Icon::Question:
        return QMessageBox::Question;
    case UserPrompt::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

UserPrompt::Answer MessageBoxPrompt::Ask(const QString& text, const QString& caption, Icon icon, Buttons buttons)
{
    QWidget* owner = QApplication::activeWindow();
    const QMessageBox::StandardButtons shown =
        buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
    QMessageBox box(BoxIcon(icon), caption, text, shown, owner);
    const int result = box.exec();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}
