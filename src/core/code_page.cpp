#include "core/code_page.h"

#include <QStringDecoder>

namespace {

// The characters of 0x80..0x9F; the five unassigned bytes keep their C1 values.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QString DecodeWindows1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : char16_t(b));
    }
    return text;
}

QString DecodePuzzleText(const QByteArray& bytes, bool utf8)
{
    if (!utf8)
        return DecodeWindows1252(bytes);
    // A leading zero-width no-break space is kept: a square's text is shown as
    // it is compared, so an answer that begins with one may not show as the
    // letters alone (these texts are members of a file, never a file's start).
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    return decoder.hasError() ? DecodeWindows1252(bytes) : text;
}

qsizetype Utf8CutLength(const QByteArray& bytes, qsizetype maxLength)
{
    qsizetype cut = qMin(maxLength, bytes.size());
    auto isContinuation = [&](qsizetype at) { return (static_cast<unsigned char>(bytes[at]) & 0xC0) == 0x80; };
    while (cut > 0 && cut < bytes.size() && isContinuation(cut))
        --cut;
    return cut;
}
