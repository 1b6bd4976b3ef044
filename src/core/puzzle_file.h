#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

// The whole content of the open puzzle file, held in memory while the puzzle
// is open. Opening reads the file (unpacking it when it is a packed document,
// or taking the document out of a zip archive),
// the readers and the model seek, read and write single bytes in the image,
// and closing writes the image back to the same file, packed again when it
// came packed and put back into its archive when it came zipped. Write-back is atomic where the folder allows it (see
// RewriteFile). A failed write-back is reported once: later ones for the same
// reason stay quiet until a write-back succeeds or another file is opened, so
// saves repeated every few moments (the solving clock changes the image each
// second) never raise the same message again and again.
class CPuzzleFile {
public:
    // The 9 bytes a packed document begins with; a zlib stream follows.
    static constexpr char kMagic[] = "kavlith01";
    static constexpr int kMagicLength = 9;
    // Bytes kept allocated behind the image of a file read from disk, so a
    // parser that reads a little past the end (as wide loads do) can parse
    // the image where it is.
    static constexpr qsizetype kSlack = 64;

    // Reads the file into memory. A file that cannot be opened for writing
    // because of its permissions or a read-only medium is opened read-only.
    // Returns false when the file cannot be read, after showing why when
    // reportError is set.
    bool Open(const QString& path, bool reportError = true);
    // Takes a file's content that is not on disk (a download being checked):
    // unpacked when packed, read-only, never written back, and quiet: false
    // without a message when a packed content does not unpack.
    bool Load(const QByteArray& fileContent);
    // Writes the image back unless the file is read-only or the image is
    // unchanged, then empties it. An image nobody wrote to costs nothing here.
    void Close();
    // Writes a changed image back to the file now and keeps it open, so the
    // file holds the entries even when the program ends without closing it.
    void Flush();

    // Whether the image differs from the file and may be written to it.
    bool HasUnsavedChanges() const;
    // Forgets what was written into the image since it was read or last
    // saved, so the file keeps the bytes it has, and tells the user why the
    // changes were not saved.
    void RefuseChanges(const QString& reason);

    // Moves the position; a negative position is refused (the position stays).
    qint64 Seek(qint64 position);
    // Reads up to count bytes from the position; returns how many were read.
    qint64 Read(char* buffer, qint64 count);
    // Writes at the position, growing the image (zero-filled) when needed.
    void Write(const char* data, qint64 count);
    qint64 GetLength() const;
    void SetLength(qint64 length);

    // The image itself, for searches and checksums over all of it.
    const QByteArray& Data() const;

    // The path given to Open; empty again once the file is closed.
    QString GetPath() const;
    bool IsReadOnly() const;
    bool IsCompressed() const;
    // Whether the image is the document of a zip archive.
    bool IsZipped() const;

private:
    bool Unpack(const QByteArray& fileContent, bool reportError);
    bool Unzip(const QByteArray& fileContent, bool reportError);
    bool TakeContent(QByteArray content, bool reportError);
    bool Pack(QByteArray* packed, bool reportError) const;
    QByteArray DiskContent(bool reportPackingError);
    bool WriteBack();
    void ShowSaveFailure(const QString& reason, const QString& consequence) const;

    QString path_;
    QByteArray image_;
    QByteArray original_;
    // Why the last reported write-back failed; none after one that succeeded.
    std::optional<QString> reportedFailure_;
    // A packing failure is reported once per opened file: the image is then
    // stored plain, and would fail to pack again at every save.
    bool packingFailureReported_ = false;
    qint64 position_ = 0;
    bool readOnly_ = false;
    bool compressed_ = false;
    // A zipped file: the archive as it was read and the entry the image is.
    bool zipped_ = false;
    QByteArray archive_;
    qint64 archiveEntry_ = -1;
    // Something was written into the image since it was read or saved.
    bool modified_ = false;
};
