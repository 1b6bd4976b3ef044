#pragma once

#include <QDate>
#include <QString>

// A link's address may name today's puzzle with date fields in braces, filled
// in when the puzzle is fetched: {yyyy} 2026, {yy} 26, {MM} 03, {M} 3,
// {dd} 06, {d} 6, {MMM} Mar, {ddd} Fri (English names whatever the language
// of the desktop, as the servers use them). An address without braces is
// used as it is.

struct DatedAddress {
    QString address; // the address with every field filled in
    QString error;   // empty when every brace belongs to a known field
};

DatedAddress FillDateFields(const QString& address, const QDate& today);

// The known fields, as the link dialog lists them: "{yyyy} {yy} ...".
QString DateFieldList();
