#pragma once

#include "core/file_picker.h"

class QWidget;

// Lets the puzzle store open the file chooser over the main window.
class CDocListPicker : public FilePicker {
public:
    explicit CDocListPicker(QWidget* owner);
    QString PickFile(const QString& filter, const QString& folder, const QString& current) override;

private:
    QWidget* owner_;
};
