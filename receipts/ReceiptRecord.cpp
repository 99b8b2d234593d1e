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
    encodeRecord(layout(), r.f.data(), bytes.data());
    return bytes;
}

QString decodeField(const char *record, int field)
{
    return ::decodeField(layout(), record, field);
}

Record decode(const QByteArray &bytes)
{
    Record r;
    if (bytes.size() >= kRecordSize)
        decodeRecord(layout(), bytes.constData(), r.f.data());
    return r;
}

} // namespace Receipt
