#include "receipts/ReceiptRecord.h"

#include <QHash>

namespace Receipt {

int fieldIndex(const QString &name)
{
    static const QHash<QString, int> index = [] {
        QHash<QString, int> h;
        for (int i = 0; i < FieldCount; ++i)
            h.insert(fieldName(i), i);
        return h;
    }();
    return index.value(name, -1);
}

QByteArray encode(const Record &r)
{
    QByteArray bytes(kRecordSize, '\0');
    for (int i = 0; i < FieldCount; ++i)
        encodeFixedText(bytes.data() + kFields[size_t(i)].offset, kFields[size_t(i)].width, r[i]);
    return bytes;
}

QString decodeField(const char *record, int field)
{
    const FieldSpec &s = kFields[size_t(field)];
    return decodeFixedText(record + s.offset, s.width);
}

Record decode(const QByteArray &bytes)
{
    Record r;
    if (bytes.size() < kRecordSize)
        return r;
    for (int i = 0; i < FieldCount; ++i)
        r[i] = decodeField(bytes.constData(), i);
    return r;
}

} // namespace Receipt
