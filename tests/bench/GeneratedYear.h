#pragma once

// A year file of generated receipts for the benchmarks: payers, sports and amounts spread over the
// year 2024, the same for the same count. With `damagedEvery`, one record in that many, from the
// record `damagedFrom` on, is damaged (bytes of no meaning in place of some of its fields, or of
// all of it).
#include "GeneratedNames.h"
#include "receipts/AmountInWords.h"
#include "records/ReceiptRecord.h"

#include <QFile>
#include <QRandomGenerator>
#include <QString>

inline void generateYear(const QString &path, qint64 count, int damagedEvery = 0, qint64 damagedFrom = 0)
{
    using namespace Receipt;
    using Generated::kNames, Generated::kSurnames;
    static const char *const sports[] = {"Tiro a volo", "Tiro con l'arco", "Nuoto agonistico",
                                         "Atletica leggera", "Ciclismo su strada"};
    QRandomGenerator rng(20240615);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write the year file");
    QByteArray block;
    for (qint64 i = 0; i < count; ++i) {
        Record r;
        const int month = int(1 + i * 12 / count);
        const QString euros = QString::number(rng.bounded(10, 2000));
        const QString cents = QStringLiteral("%1").arg(rng.bounded(100), 2, 10, QLatin1Char('0'));
        r[NumRic] = QString::number(i + 1);
        r[Data] = QStringLiteral("%1/%2/2024")
                      .arg(1 + rng.bounded(28), 2, 10, QLatin1Char('0'))
                      .arg(month, 2, 10, QLatin1Char('0'));
        r[Importo] = euros;
        r[Cents] = cents;
        r[ImpLettere] = amountInWords(euros);
        r[CentLettere] = cents;
        r[Intero] = euros + QLatin1Char(',') + cents;
        r[Ricevente01] = QStringLiteral("A.S.D. Tiro a Segno Corvalla");
        r[Ricevente02] = QStringLiteral("Via dello Sport, 12");
        r[Ricevente03] = QStringLiteral("47121 Forlì (FC)");
        r[Ricevente04] = QStringLiteral("C.F. 92012345678");
        r[Pagatore] = QStringLiteral("%1 %2").arg(QString::fromLatin1(kSurnames[rng.bounded(20)]),
                                                  QString::fromLatin1(kNames[rng.bounded(15)]));
        r[CodFisc] = QStringLiteral("RSSMRA80A01H%1U").arg(i % 1000, 3, 10, QLatin1Char('0'));
        r[Sport] = QString::fromLatin1(sports[rng.bounded(5)]);
        r[Dal] = QStringLiteral("01/%1/2024").arg(month, 2, 10, QLatin1Char('0'));
        r[Al] = QStringLiteral("28/%1/2024").arg(month, 2, 10, QLatin1Char('0'));
        r[Praticante] = r[Pagatore];
        r[LuogoNasc] = QStringLiteral("Forlì");
        r[DataNasc] = QStringLiteral("12/07/2012");
        r[Indirizzo] = QStringLiteral("Via dell'Unità d'Italia, %1").arg(i % 300);
        QByteArray record = encode(r);
        if (damagedEvery > 0 && i >= damagedFrom && i % damagedEvery == 0) {
            // Damaged: bytes of no meaning over the date, the amount and part of the payer, or
            // over the whole record.
            const int from = i % (2 * damagedEvery) == 0 ? 0 : int(rng.bounded(kRecordSize / 2));
            for (int b = from; b < kRecordSize && b < from + kRecordSize / 2; ++b)
                record[b] = char(rng.bounded(256));
        }
        block += record;
        if (block.size() > 8 * 1024 * 1024) {
            f.write(block);
            block.clear();
        }
    }
    f.write(block);
}
