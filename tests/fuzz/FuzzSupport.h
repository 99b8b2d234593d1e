#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

// What every fuzz target shares: a broken property stops the run (libFuzzer then keeps the input
// as a crash reproducer), and the program's files live in a temporary program folder of this
// process.

[[noreturn]] void fuzzPropertyBroken(const char *what, const char *file, int line);
[[noreturn]] void fuzzTextsDiffer(const char *what, const QString &got, const QString &expected,
                                  const char *file, int line);

// Stops the run when `condition` does not hold.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            fuzzPropertyBroken(#condition, __FILE__, __LINE__);                                              \
    } while (false)

// Stops the run when two texts differ, showing both.
#define FUZZ_CHECK_TEXT(got, expected)                                                                       \
    do {                                                                                                     \
        const QString fuzzGot_ = (got);                                                                      \
        const QString fuzzExpected_ = (expected);                                                            \
        if (fuzzGot_ != fuzzExpected_)                                                                       \
            fuzzTextsDiffer(#got " == " #expected, fuzzGot_, fuzzExpected_, __FILE__, __LINE__);             \
    } while (false)

namespace Fuzz {

// The program folder of this process: a temporary folder made at the first call (in memory, under
// /dev/shm, where there is one, so that the program's flushes to disk cost nothing, or under the
// folder named by CORVALLA_FUZZ_TMP) and removed when the process ends. The program is pointed at
// it.
QString programFolder();

// Makes `bytes` the whole content of `path`; stops the run when that fails (the fuzzer's own
// trouble, not the program's).
void writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);
void removeFile(const QString &path);

// The fuzzer's input as bytes, copied (so that the program may keep or change it).
inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

} // namespace Fuzz
