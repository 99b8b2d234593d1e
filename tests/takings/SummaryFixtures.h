#pragma once

// Small year files for the takings summary tests.

#include "TestSupport.h"
#include "records/ReceiptRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace SummaryFixtures {

// A receipt for March 2024 with the fields the summary reads.
inline Receipt::Record receipt(const QString &number, const QString &date, const QString &payer,
                               const QString &sport, const QString &whole)
{
    Receipt::Record r;
    r[Receipt::NumRic] = number;
    r[Receipt::Data] = date;
    r[Receipt::Pagatore] = payer;
    r[Receipt::Sport] = sport;
    r[Receipt::Dal] = QStringLiteral("01/03/2024");
    r[Receipt::Al] = QStringLiteral("31/03/2024");
    r[Receipt::Intero] = whole;
    return r;
}

// Makes the receipts, in order, the whole year file at `path`.
inline void storeReceipts(const QString &path, const QList<Receipt::Record> &receipts)
{
    QByteArray bytes;
    for (const Receipt::Record &r : receipts)
        bytes += Receipt::encode(r);
    writeFile(path, bytes);
}

} // namespace SummaryFixtures
