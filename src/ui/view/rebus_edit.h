#pragma once

#include <QLineEdit>

// The small edit that opens over the current square for a rebus entry, an
// entry of several letters in one square. It takes printable characters in
// upper case; Enter, or leaving it, keeps what was typed, Escape drops it.
class CRebusEdit : public QLineEdit {
    Q_OBJECT

public:
    static constexpr int kLongestEntry = 12;

    explicit CRebusEdit(QWidget* parent);

    // Shows the edit over square (view coordinates), holding the square's
    // current entry, and gives it the focus.
    void Open(const QRect& square, const QString& entry);
    bool IsOpen() const { return open_; }
    // Hides the edit without keeping what was typed.
    void Cancel();

signals:
    void Committed(const QString& letters);
    void Closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Finish(bool keep);

    bool open_ = false;
};
