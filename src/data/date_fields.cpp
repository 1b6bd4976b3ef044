#include "data/date_fields.h"

#include <QLocale>
#include <QStringList>

namespace {

// Each field is also the date format that fills it.
const QStringList& KnownFields()
{
    static const QStringList fields{QStringLiteral("yyyy"), QStringLiteral("yy"), QStringLiteral("MM"),
                                    QStringLiteral("M"),    QStringLiteral("dd"), QStringLiteral("d"),
                                    QStringLiteral("MMM"),  QStringLiteral("ddd")};
    return fields;
}

QString UnknownField(const QString& field)
{
    return QStringLiteral("The address holds the date field {%1}, which is not one the program knows. "
                          "Date fields: %2.")
        .arg(field, DateFieldList());
}

QString StrayBrace(QChar brace)
{
    return QStringLiteral("The address holds a \"%1\" that does not belong to a date field. Date fields: %2.")
        .arg(brace)
        .arg(DateFieldList());
}

} // namespace

DatedAddress FillDateFields(const QString& address, const QDate& today)
{
    DatedAddress result;
    const QLocale english = QLocale::c();
    qsizetype at = 0;
    while (at < address.size()) {
        const qsizetype open = address.indexOf(u'{', at);
        const qsizetype strayClose = address.indexOf(u'}', at);
        if (strayClose >= 0 && (open < 0 || strayClose < open))
            return {QString(), StrayBrace(u'}')};
        if (open < 0) {
            result.address += address.sliced(at);
            break;
        }
        const qsizetype close = address.indexOf(u'}', open);
        const qsizetype nextOpen = address.indexOf(u'{', open + 1);
        if (close < 0 || (nextOpen >= 0 && nextOpen < close))
            return {QString(), StrayBrace(u'{')};
        const QString field = address.sliced(open + 1, close - open - 1);
        if (!KnownFields().contains(field))
            return {QString(), UnknownField(field)};
        result.address += address.sliced(at, open - at) + english.toString(today, field);
        at = close + 1;
    }
    return result;
}

QString DateFieldList()
{
    return u'{' + KnownFields().join(QStringLiteral("} {")) + u'}';
}
