#include "ui/dialogs/about_dlg.h"

#include "ui/controls/soft_key_bar.h"
#include "ui/controls/toolbar_icons.h"

#include <QFontMetrics>
#include <QLabel>
#include <QVBoxLayout>

int CAboutDlg::CaptionRoom(const QFont& font, const QString& caption)
{
    // Window managers draw captions in a bold and often larger font, and
    // elide what does not fit beside the window icon and the title bar's
    // buttons; each of those takes about two lines' height.
    QFont titleFont = font;
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    constexpr int kTitleBarItems = 4;
    return metrics.horizontalAdvance(caption) * 5 / 4 + kTitleBarItems * 2 * metrics.height();
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Crossword"));
    auto* layout = new QVBoxLayout(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramImage(32));
    icon->setAlignment(Qt::AlignHCenter);
    auto* version = new QLabel(QString::fromLatin1(kVersionText), this);
    version->setObjectName(QStringLiteral("version"));
    version->setAlignment(Qt::AlignHCenter);
    layout->addWidget(icon);
    layout->addWidget(version);
    layout->addStretch();
    CreateSoftKeyBar(this, QStringLiteral("OK"));
    setMinimumWidth(CaptionRoom(font(), windowTitle()));
}
