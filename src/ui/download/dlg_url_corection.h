#pragma once

#include <QDialog>
#include <QString>

class CContextMenuEdit;
class CUrlEdit;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

// "New Link" / "Edit Link": the name, address, login and password of one link
// of the settings' link list. OK saves a changed link into the list and the
// settings file and ends accepted; OK without changes and Cancel end rejected.
// Name and address must not be blank; both are stored trimmed, login and
// password as typed. Under the address the dialog shows the address as it
// would be fetched today, with its date fields filled in, or what is wrong
// with its fields; an address with a field the program does not know is not
// saved.
class CDlgURLCorection : public QDialog {
    Q_OBJECT

public:
    // index: the link to edit, or -1 for a new one.
    explicit CDlgURLCorection(int index, QWidget* parent = nullptr);

    bool EditMode() const { return editMode_; }
    CContextMenuEdit* NameEdit() const { return nameEdit_; }
    CUrlEdit* UrlEdit() const { return urlEdit_; }
    CContextMenuEdit* LoginEdit() const { return loginEdit_; }
    QLineEdit* PasswordEdit() const { return passwordEdit_; }
    QLabel* AddressTodayLabel() const { return addressToday_; }
    QDialogButtonBox* SoftKeys() const { return softKeys_; }

    // The OK soft key.
    void accept() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool IsUnchanged() const;
    void LayOut();
    void ShowAddressToday();
    int AddressTodayHeight(int width) const;
    // Heights of the template's rows in pixels, never below what their controls need.
    int UnitsHigh(int units, const QWidget* control) const;
    int LabelHeight() const;
    int EditHeight() const;
    int GapHeight() const;
    int LeastUrlHeight() const;

    int index_;
    bool editMode_;
    QString oldName_, oldUrl_, oldLogin_, oldPassword_;
    QString name_, url_, login_, password_;
    QLabel* nameLabel_;
    CContextMenuEdit* nameEdit_;
    QLabel* urlLabel_;
    CUrlEdit* urlEdit_;
    QLabel* addressToday_;
    QLabel* loginLabel_;
    CContextMenuEdit* loginEdit_;
    QLabel* passwordLabel_;
    QLineEdit* passwordEdit_;
    QDialogButtonBox* softKeys_;
};
