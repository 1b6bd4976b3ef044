#pragma once

#include "ui/print/print_dialogs.h"

#include <QObject>

// The loadable module's root object: the print dialogs on Qt Print Support.
class PrintModule : public QObject, public PrintDialogs {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID GRIDMOOR_PRINT_DIALOGS_IID)
    Q_INTERFACES(PrintDialogs)

public:
    Outcome Print(QWidget* parent, const QString& docName, bool preview,
                  const std::function<bool(QPagedPaintDevice&)>& paint) override;
};
