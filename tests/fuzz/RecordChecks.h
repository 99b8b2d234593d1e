#pragma once

// The properties of a fixed-record file (member archive, receipt year file) read from arbitrary
// bytes, for any record kind described by a `Kind` like this:
//
//     struct Kind {
//         using Record = ...;                       // the decoded record, operator[](int)
//         static constexpr int kSize, kFieldCount;
//         static RecordLayout layout();
//         static QByteArray encode(const Record &);
//         static Record decode(const QByteArray &);
//         static QString decodeField(const char *record, int field);
//         static QString path();                    // the file in the program folder
//         static qint64 count();
//         static bool read(qint64 index, Record &);
//         static bool write(qint64 index, const Record &);
//         static qint64 append(const Record &);
//         static bool scan(const RecordArchive::Visitor &);
//     };

#include "FuzzSupport.h"

#include "common/Cp1252.h"
#include "common/ListLines.h"
#include "common/RecordArchive.h"
#include "common/RecordLayout.h"
#include "common/TextUtil.h"

#include <QByteArray>
#include <QString>
#include <cstring>
#include <vector>

namespace RecordChecks {

// Find in a record field as the search windows promise it: the text, blanks kept and A-Z folded,
// occurs in the field's text folded the same way; a text with nothing but blanks matches anything.
inline bool searchMatches(const QString &fieldText, const QString &typed)
{
    bool filled = false;
    for (const QChar c : typed)
        filled = filled || c.unicode() > 32;
    return !filled || lowerAZ(fieldText).contains(lowerAZ(typed));
}

// A piece of `text` chosen by `pick`, with the case of a-z / A-Z swapped on some letters.
inline QString pieceOf(const QString &text, unsigned pick)
{
    if (text.isEmpty())
        return QString();
    const qsizetype from = qsizetype(pick % unsigned(text.size()));
    QString piece = text.mid(from, qsizetype(1 + (pick >> 8) % 6));
    for (qsizetype i = 0; i < piece.size(); ++i) {
        if ((pick >> (16 + i % 16)) & 1) {
            const char16_t c = piece[i].unicode();
            piece[i] = QChar(c >= u'a' && c <= u'z' ? foldUpAZ(c) : foldDownAZ(c));
        }
    }
    return piece;
}

// One record's bytes, as they may be in a damaged or foreign file.
template <class Kind> void checkRecord(const char *bytes)
{
    const RecordLayout layout = Kind::layout();
    FUZZ_CHECK(layout.recordSize() == Kind::kSize);
    const QByteArray copy(bytes, Kind::kSize);
    const typename Kind::Record record = Kind::decode(copy);
    const QStringList texts = decodeRecord(layout, copy);
    FUZZ_CHECK(texts.size() == Kind::kFieldCount);

    for (int i = 0; i < Kind::kFieldCount; ++i) {
        const FieldSpec &fieldSpec = layout.field(i);
        const QString text = Kind::decodeField(bytes, i);
        FUZZ_CHECK_TEXT(record[i], text);
        FUZZ_CHECK_TEXT(texts[i], text);
        // A field reads trimmed, within its width, and only with characters the page can hold.
        FUZZ_CHECK_TEXT(trimBlanks(text), text);
        const QByteArray stored = toCp1252(text);
        FUZZ_CHECK(stored.size() <= fieldSpec.width);
        FUZZ_CHECK_TEXT(fromCp1252(stored), text);
        // The lists read the same text straight from the bytes.
        const FieldBytes raw = trimmedFieldBytes(bytes, fieldSpec);
        FUZZ_CHECK(raw.size >= 0 && raw.size <= fieldSpec.width);
        FUZZ_CHECK(raw.data >= bytes + fieldSpec.offset + 1 &&
                   raw.data + raw.size <= bytes + fieldSpec.offset + 1 + fieldSpec.width);
        FUZZ_CHECK(QByteArray(raw.data, raw.size) == stored);
    }

    // Encoding gives a record of the right size that decodes to the same fields and keeps the
    // stored text of every field byte for byte; encoding is stable.
    const QByteArray encoded = Kind::encode(record);
    FUZZ_CHECK(encoded.size() == Kind::kSize);
    const typename Kind::Record again = Kind::decode(encoded);
    for (int i = 0; i < Kind::kFieldCount; ++i) {
        FUZZ_CHECK_TEXT(again[i], record[i]);
        const FieldSpec &fieldSpec = layout.field(i);
        const int length = static_cast<unsigned char>(encoded[fieldSpec.offset]);
        const FieldBytes raw = trimmedFieldBytes(bytes, fieldSpec);
        FUZZ_CHECK(length == raw.size);
        FUZZ_CHECK(std::memcmp(encoded.constData() + fieldSpec.offset + 1, raw.data, size_t(length)) == 0);
        for (int k = length; k < fieldSpec.width; ++k)
            FUZZ_CHECK(encoded[fieldSpec.offset + 1 + k] == '\0');
    }
    FUZZ_CHECK(Kind::encode(again) == encoded);
    FUZZ_CHECK(encodeRecord(layout, texts) == encoded);

    // The result lists: each field trimmed, and fitted to a column.
    std::vector<LinePiece> pieces;
    QString expectedLine;
    for (int i = 0; i < Kind::kFieldCount; ++i) {
        const int fit = 1 + (i * 7) % 13;
        pieces.push_back({i, 0, nullptr});
        pieces.push_back({-1, 0, "\xE2\x82\xAC"}); // the euro sign
        pieces.push_back({i, fit, nullptr});
        expectedLine += record[i] + QChar(0x20AC) + fitText(record[i], fit);
    }
    FUZZ_CHECK_TEXT(LineBuilder(layout, pieces).line(bytes), expectedLine);

    // The search windows: a piece of the field itself always matches it; a piece of another field
    // matches exactly when the field holds it.
    for (int i = 0; i < Kind::kFieldCount; ++i) {
        const FieldSpec &fieldSpec = layout.field(i);
        unsigned pick = 0;
        std::memcpy(&pick, bytes + fieldSpec.offset + 1 + (fieldSpec.width >= 4 ? fieldSpec.width - 4 : 0),
                    fieldSpec.width >= 4 ? 4 : size_t(fieldSpec.width));
        const QString own = pieceOf(record[i], pick);
        FUZZ_CHECK(TextCriteria(layout, {i}, {own}).matches(bytes));
        const QString other = pieceOf(record[(i + 1) % Kind::kFieldCount], pick * 2654435761u);
        FUZZ_CHECK(TextCriteria(layout, {i}, {other}).matches(bytes) == searchMatches(record[i], other));
    }
}

// The whole input as the record file in the program folder, read and changed through the
// program's own file functions.
template <class Kind> void checkFile(const QByteArray &content)
{
    const QString path = Kind::path();
    Fuzz::writeFile(path, content);
    const qint64 complete = content.size() / Kind::kSize;

    FUZZ_CHECK(Kind::count() == complete);
    qint64 visited = 0;
    const bool scanned = Kind::scan([&](qint64 index, const char *record) {
        FUZZ_CHECK(index == visited);
        FUZZ_CHECK(std::memcmp(record, content.constData() + index * Kind::kSize, Kind::kSize) == 0);
        ++visited;
        return true;
    });
    FUZZ_CHECK(scanned && visited == complete);

    for (qint64 index = 0; index < complete; ++index) {
        typename Kind::Record record;
        FUZZ_CHECK(Kind::read(index, record));
        const typename Kind::Record expected = Kind::decode(content.mid(index * Kind::kSize, Kind::kSize));
        for (int i = 0; i < Kind::kFieldCount; ++i)
            FUZZ_CHECK_TEXT(record[i], expected[i]);
    }
    typename Kind::Record beyond;
    FUZZ_CHECK(!Kind::read(complete, beyond));

    // An update never makes the file longer: there is no record at the end to update.
    typename Kind::Record changed = Kind::decode(content.left(Kind::kSize));
    changed[0] = QStringLiteral("Cambiato \u20AC");
    FUZZ_CHECK(!Kind::write(complete, changed));
    FUZZ_CHECK(Fuzz::readFile(path) == content);

    QByteArray expected = content;
    if (complete > 0) {
        // Updating the first record changes its bytes and nothing else.
        FUZZ_CHECK(Kind::write(0, changed));
        expected.replace(0, Kind::kSize, Kind::encode(changed));
        FUZZ_CHECK(Fuzz::readFile(path) == expected);
    }
    // Appending puts the record after the last complete one, over any incomplete tail.
    FUZZ_CHECK(Kind::append(changed) == complete);
    expected = expected.left(complete * Kind::kSize) + Kind::encode(changed);
    FUZZ_CHECK(Fuzz::readFile(path) == expected);
    FUZZ_CHECK(Kind::count() == complete + 1);
    typename Kind::Record last;
    FUZZ_CHECK(Kind::read(complete, last));
    for (int i = 0; i < Kind::kFieldCount; ++i)
        FUZZ_CHECK_TEXT(last[i], changed[i]);
}

template <class Kind> void check(const uint8_t *data, size_t size)
{
    Fuzz::programFolder();
    const char *bytes = reinterpret_cast<const char *>(data);
    // Decoding reads the fuzzer's own buffer, so a read past a record's end is caught.
    for (size_t at = 0; at + size_t(Kind::kSize) <= size; at += size_t(Kind::kSize))
        checkRecord<Kind>(bytes + at);
    checkFile<Kind>(Fuzz::bytes(data, size));
}

} // namespace RecordChecks
