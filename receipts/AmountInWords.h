#pragma once

#include <QString>
#include <QStringView>

// The whole euros of a receipt in upper-case Italian words, as receipts show, store and print
// them: the words of each group of three digits joined without blanks (28 VENTIOTTO, 101
// CENTOUNO, 1000 MILLE, 21000 VENTUNOMILA, 1000000 UNMILIONE).
//
// `euros` is the text of the euros box: decimal digits only, leading zeros allowed, for a value from
// 0 to 99,999,999 ("0" and "000" give "ZERO"). Any other text (empty, blanks, other characters,
// a larger value) gives no words: an empty result.
QString amountInWords(QStringView euros);

// The same for a number of euros from 0 to 99,999,999; empty outside that range.
QString amountInWords(qint64 euros);
