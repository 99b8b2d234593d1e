#pragma once

#include "common/FixedText.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <cstddef>

// A record layout: a table of FieldSpec rows, one per field in record order, each field right after
// the one before it. Tables are constexpr so that each one can be checked when it is compiled:
//
//     constexpr FieldSpec kLayout[] = {{"txtNome", 0, 50}, {"txtData", 51, 10}};
//     static_assert(isRecordLayout(kLayout, 62), "the fields fill the record exactly");
//
// and they convert to RecordLayout, the view that the record codec and RecordArchive take.
class RecordLayout
{
public:
    constexpr RecordLayout(const FieldSpec *fields, int count)
        : m_fields(fields), m_count(count), m_size(::recordSize(fields, count))
    {
    }
    template <std::size_t N>
    constexpr RecordLayout(const FieldSpec (&fields)[N]) : RecordLayout(fields, int(N))
    {
    }
    template <std::size_t N>
    constexpr RecordLayout(const std::array<FieldSpec, N> &fields) : RecordLayout(fields.data(), int(N))
    {
    }

    constexpr int fieldCount() const { return m_count; }
    constexpr int recordSize() const { return m_size; }
    constexpr const FieldSpec &field(int i) const { return m_fields[i]; }
    constexpr const FieldSpec *begin() const { return m_fields; }
    constexpr const FieldSpec *end() const { return m_fields + m_count; }

    // Index of the field called `name`, or -1.
    int indexOf(QStringView name) const;

private:
    const FieldSpec *m_fields;
    int m_count;
    int m_size;
};

// True when the fields lie one after the other from byte 0 and their widths (each with its length
// byte) add up to `size`.
constexpr bool isRecordLayout(const FieldSpec *fields, int count, int size)
{
    int at = 0;
    for (int i = 0; i < count; ++i) {
        if (fields[i].offset != at || fields[i].width <= 0 || fields[i].width > 255)
            return false;
        at += fields[i].width + 1;
    }
    return at == size;
}
template <std::size_t N> constexpr bool isRecordLayout(const FieldSpec (&fields)[N], int size)
{
    return isRecordLayout(fields, int(N), size);
}
template <std::size_t N> constexpr bool isRecordLayout(const std::array<FieldSpec, N> &fields, int size)
{
    return isRecordLayout(fields.data(), int(N), size);
}

// The generic record codec. `texts` holds one text per field, in layout order.
void encodeRecord(const RecordLayout &layout, const QString *texts, char *record);
void decodeRecord(const RecordLayout &layout, const char *record, QString *texts);
QString decodeField(const RecordLayout &layout, const char *record, int field);

// The same over text lists: missing texts are written empty; a short byte array decodes to empty
// texts.
QByteArray encodeRecord(const RecordLayout &layout, const QStringList &texts);
QStringList decodeRecord(const RecordLayout &layout, const QByteArray &bytes);

// A decoded record of a layout with N fields: one text per field, in record order.
template <std::size_t N> struct RecordTexts
{
    std::array<QString, N> f;
    QString &operator[](int i) { return f[std::size_t(i)]; }
    const QString &operator[](int i) const { return f[std::size_t(i)]; }
    bool operator==(const RecordTexts &other) const { return f == other.f; }
};

template <std::size_t N> QByteArray encodeRecord(const RecordLayout &layout, const RecordTexts<N> &r)
{
    QByteArray bytes(layout.recordSize(), '\0');
    encodeRecord(layout, r.f.data(), bytes.data());
    return bytes;
}

// `bytes` holds at least one record; a shorter array gives an empty record.
template <std::size_t N> RecordTexts<N> decodeRecordTexts(const RecordLayout &layout, const QByteArray &bytes)
{
    RecordTexts<N> r;
    if (bytes.size() >= layout.recordSize())
        decodeRecord(layout, bytes.constData(), r.f.data());
    return r;
}
