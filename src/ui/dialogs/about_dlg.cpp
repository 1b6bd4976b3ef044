#include "ui/dialogs/about_dlg.h"

#include "ui/controls/soft_key_bar.h"
#include "ui/controls/toolbar_icons.h"

#include <QLabel>
#include <QVBoxLayout>

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
}
