// The amount in words for a million amounts spread evenly over 0 to 99,999,999, as the receipt
// window converts them (from the text of the euros box). Prints conversions per second; asserts
// nothing.
#include "BenchTiming.h"

#include "receipts/AmountInWords.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    constexpr int kAmounts = 1000000;
    constexpr qint64 kLargest = 99999999;

    QStringList texts;
    texts.reserve(kAmounts);
    for (qint64 i = 0; i < kAmounts; ++i)
        texts << QString::number(i * kLargest / (kAmounts - 1));

    qint64 characters = 0; // keeps the work from being optimised away, and is printed
    const double fromText = bestOf(3, [&] {
        characters = 0;
        for (const QString &t : texts)
            characters += amountInWords(QStringView(t)).size();
    });
    const double fromNumber = bestOf(3, [&] {
        characters = 0;
        for (qint64 i = 0; i < kAmounts; ++i)
            characters += amountInWords(i * kLargest / (kAmounts - 1)).size();
    });

    std::printf("%-28s %12s %16s\n", "amount in words", "ms", "conversions/s");
    std::printf("%-28s %12.1f %16.0f\n", "from the euros box text", fromText, kAmounts / (fromText / 1000.0));
    std::printf("%-28s %12.1f %16.0f\n", "from a number", fromNumber, kAmounts / (fromNumber / 1000.0));
    std::printf("(%d amounts from 0 to %lld; %lld characters of words, %.1f per amount)\n", kAmounts,
                static_cast<long long>(kLargest), static_cast<long long>(characters),
                double(characters) / kAmounts);
    return 0;
}
