#pragma once

#include <QString>

class QDialog;
class QDialogButtonBox;

// The two soft keys of a full-screen dialog: key 1 accepts it, key 2 rejects it.
enum SoftKeyId : int {
    kSoftKeyAccept = 1,
    kSoftKeyReject = 2,
};

// Makes the dialog's soft-key bar, a button box with the accepting key and,
// when rejectText is not empty, the rejecting key ("Done", "OK", "Cancel").
// The bar joins the dialog's layout when the dialog has one.
QDialogButtonBox* CreateSoftKeyBar(QDialog* dialog, const QString& acceptText, const QString& rejectText = {});

// Changes the text of one soft key; does nothing without a bar or such a key.
void SetSoftKeyText(QDialogButtonBox* bar, int keyId, const QString& text);
