#include "ui/download/dlg_url_corection.h"

#include "core/user_prompt.h"
#include "data/date_fields.h"
#include "data/download_rules.h"
#include "data/link_dialog_layout.h"
#include "data/settings.h"
#include "ui/controls/context_menu_edit.h"
#include "ui/controls/soft_key_bar.h"
#include "ui/download/full_screen_dialog.h"
#include "ui/download/url_edit.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextDocument>

namespace {

// The dialog's template, in dialog units: the controls of a 160 units wide client.
constexpr int kTemplateWidth = 160;
constexpr int kLabelHeight = 8;
constexpr int kLabelGap = 3; // above the "URL" label, which would otherwise touch the name field
constexpr int kEditHeight = 12;
constexpr int kUrlHeight = 27;
constexpr int kUrlToLoginLabel = 27;
constexpr int kLoginWidth = 96;
constexpr int kPasswordLeft = 100;
// The least room: the address two lines high with four lines for what is
// wrong with it, and the width of the handheld's screen.
constexpr int kLeastUrlLines = 2;
constexpr int kLeastTodayLines = 4;
constexpr int kLeastWidth = 240;

// Dark red on a light window, light red on a dark one.
QColor ErrorColor(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightness() > 128 ? QColor(0xB0, 0x00, 0x20) : QColor(0xFF, 0x80, 0x80);
}

} // namespace

CDlgURLCorection::CDlgURLCorection(int index, QWidget* parent)
    : QDialog(parent),
      index_(index),
      editMode_(index >= 0 && g_settings != nullptr && index < g_settings->links.GetLinkCount()),
      nameLabel_(new QLabel(QStringLiteral("Name"), this)),
      nameEdit_(new CContextMenuEdit(this)),
      urlLabel_(new QLabel(QStringLiteral("URL"), this)),
      urlEdit_(new CUrlEdit(this)),
      addressToday_(new QLabel(this)),
      loginLabel_(new QLabel(QStringLiteral("Login"), this)),
      loginEdit_(new CContextMenuEdit(this)),
      passwordLabel_(new QLabel(QStringLiteral("Password"), this)),
      passwordEdit_(new QLineEdit(this)),
      softKeys_(CreateSoftKeyBar(this, QStringLiteral("OK"), QStringLiteral("Cancel")))
{
    if (editMode_) {
        const URLEntry& link = g_settings->links.GetLink(index_);
        oldName_ = name_ = link.name;
        oldUrl_ = url_ = link.url;
        oldLogin_ = login_ = link.login;
        oldPassword_ = password_ = link.password;
    }
    setWindowTitle(editMode_ ? QStringLiteral("Edit Link") : QStringLiteral("New Link"));
    nameEdit_->setText(name_);
    urlEdit_->SetText(url_);
    loginEdit_->setText(login_);
    passwordEdit_->setEchoMode(QLineEdit::Password);
    passwordEdit_->setText(password_);
    nameLabel_->setBuddy(nameEdit_);
    urlLabel_->setBuddy(urlEdit_);
    loginLabel_->setBuddy(loginEdit_);
    passwordLabel_->setBuddy(passwordEdit_);
    setTabOrder(nameEdit_, urlEdit_);
    setTabOrder(urlEdit_, loginEdit_);
    setTabOrder(loginEdit_, passwordEdit_);
    setTabOrder(passwordEdit_, softKeys_);
    addressToday_->setWordWrap(true);
    addressToday_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // An error takes more lines than an address, so a change of the text lays the dialog out again.
    connect(urlEdit_, &QPlainTextEdit::textChanged, this, &CDlgURLCorection::LayOut);
    nameEdit_->setFocus();
    const int lines = fontMetrics().lineSpacing();
    const int leastHeight = 3 * LabelHeight() + 2 * EditHeight() + GapHeight() + LeastUrlHeight()
        + kLeastTodayLines * lines + 2 + 5;
    setMinimumSize(QSize(kLeastWidth, leastHeight) + SoftKeyFrame(this, softKeys_));
    SizeLikeMainWindow(this, parent);
}

// An address that cannot be fetched is explained in the error colour; one
// that can is shown cut in the middle when it is long, so both its server
// and its date stay in view.
void CDlgURLCorection::ShowAddressToday()
{
    const QString typed = urlEdit_->Text().trimmed();
    QPalette palette = this->palette();
    if (typed.isEmpty()) {
        addressToday_->setText(QStringLiteral("Date fields: %1").arg(DateFieldList()));
        addressToday_->setToolTip(QString());
        addressToday_->setPalette(palette);
        return;
    }
    const DownloadAddress address = DatedDownloadUrl(typed, QDate::currentDate());
    if (!address.error.isEmpty()) {
        palette.setColor(QPalette::WindowText, ErrorColor(palette));
        addressToday_->setPalette(palette);
        addressToday_->setText(address.error);
        addressToday_->setToolTip(QString());
        return;
    }
    addressToday_->setPalette(palette);
    const QString text = QStringLiteral("Today: %1").arg(address.url.toString());
    addressToday_->setToolTip(text);
    addressToday_->setText(addressToday_->fontMetrics().elidedText(text, Qt::ElideMiddle, urlEdit_->width()));
}

int CDlgURLCorection::UnitsHigh(int units, const QWidget* control) const
{
    const QFontMetrics metrics = fontMetrics();
    const int height = DialogUnitsToPixels(QRect(0, 0, 0, units), metrics.averageCharWidth(), metrics.height()).height();
    return control != nullptr ? qMax(height, control->sizeHint().height()) : height;
}

int CDlgURLCorection::LabelHeight() const
{
    return UnitsHigh(kLabelHeight, nameLabel_);
}

int CDlgURLCorection::EditHeight() const
{
    return UnitsHigh(kEditHeight, nameEdit_);
}

int CDlgURLCorection::GapHeight() const
{
    return UnitsHigh(kLabelGap, nullptr);
}

int CDlgURLCorection::LeastUrlHeight() const
{
    return kLeastUrlLines * fontMetrics().lineSpacing() + 2 * urlEdit_->frameWidth()
        + 2 * int(urlEdit_->document()->documentMargin());
}

int CDlgURLCorection::AddressTodayHeight(int width) const
{
    const int height = addressToday_->heightForWidth(width);
    return height > 0 ? height : addressToday_->sizeHint().height();
}

void CDlgURLCorection::accept()
{
    name_ = nameEdit_->text().trimmed();
    url_ = urlEdit_->Text().trimmed();
    login_ = loginEdit_->text();
    password_ = passwordEdit_->text();
    nameEdit_->setText(name_);
    urlEdit_->SetText(url_);
    if (name_.isEmpty() || url_.isEmpty()) {
        UserPrompt::Show(QStringLiteral("One or more required fields are blank"), QStringLiteral("Blank fields"),
                         UserPrompt::Icon::Error);
        nameEdit_->setFocus();
        return;
    }
    const QString dateError = FillDateFields(url_, QDate::currentDate()).error;
    if (!dateError.isEmpty()) {
        UserPrompt::Show(dateError, QStringLiteral("Date fields"), UserPrompt::Icon::Error);
        urlEdit_->setFocus();
        return;
    }
    if (editMode_) {
        if (IsUnchanged()) {
            done(Rejected);
            return;
        }
        g_settings->links.ReplaceLink(index_, name_, url_, login_, password_);
    } else {
        g_settings->links.AppendLink({name_, url_, login_, password_});
    }
    g_settings->SaveSettings();
    done(Accepted);
}

bool CDlgURLCorection::IsUnchanged() const
{
    return name_ == oldName_ && url_ == oldUrl_ && login_ == oldLogin_ && password_ == oldPassword_;
}

void CDlgURLCorection::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayOut();
}

// The template stretched to the client's width, no control lower than its
// font needs, then the rows below the address moved to the bottom.
void CDlgURLCorection::LayOut()
{
    const QRect client = PlaceSoftKeys(this, softKeys_);
    const auto across = [&](int units) { return client.width() * units / kTemplateWidth; };
    const int labelHeight = LabelHeight();
    const int editHeight = EditHeight();
    const QRect nameLabel(client.x(), client.y(), client.width(), labelHeight);
    const QRect name(client.x(), nameLabel.bottom() + 1, client.width(), editHeight);
    const QRect urlLabel(client.x(), name.bottom() + 1 + GapHeight(), client.width(), labelHeight);
    const QRect url(client.x(), urlLabel.bottom() + 1, client.width(), UnitsHigh(kUrlHeight, nameEdit_));
    nameLabel_->setGeometry(nameLabel);
    nameEdit_->setGeometry(name);
    urlLabel_->setGeometry(urlLabel);
    const int y = url.bottom() + 1 + UnitsHigh(kUrlToLoginLabel, nameLabel_);

    LinkEditorLayout current;
    current.url = url;
    current.loginLabel = QRect(client.x(), y, across(kLoginWidth), labelHeight);
    current.passwordLabel = QRect(client.x() + across(kPasswordLeft), y, client.width() - across(kPasswordLeft),
                                  labelHeight);
    current.login = QRect(client.x(), y + labelHeight, across(kLoginWidth), editHeight);
    current.password = QRect(current.passwordLabel.x(), y + labelHeight, current.passwordLabel.width(), editHeight);
    const LinkEditorLayout layout = LayoutLinkEditor(client, current);
    // The address as fetched today goes below the field, which gives up the room.
    urlEdit_->setGeometry(layout.url);
    ShowAddressToday();
    const int todayHeight =
        qMax(0, qMin(AddressTodayHeight(layout.url.width()), layout.url.height() - LeastUrlHeight() - 2));
    QRect urlField = layout.url;
    urlField.setHeight(qMax(0, layout.url.height() - todayHeight - 2));
    urlEdit_->setGeometry(urlField);
    addressToday_->setGeometry(layout.url.x(), urlField.bottom() + 2, layout.url.width(), todayHeight);
    loginLabel_->setGeometry(layout.loginLabel);
    loginEdit_->setGeometry(layout.login);
    passwordLabel_->setGeometry(layout.passwordLabel);
    passwordEdit_->setGeometry(layout.password);
}
