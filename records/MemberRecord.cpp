#include "records/MemberRecord.h"

namespace Member {

int fieldIndex(const QString &name)
{
    return layout().indexOf(name);
}

QByteArray encode(const Record &r)
{
    return encodeRecord(layout(), r);
}

QString decodeField(const char *record, int field)
{
    return ::decodeField(layout(), record, field);
}

Record decode(const QByteArray &bytes)
{
    return decodeRecordTexts<FieldCount>(layout(), bytes);
}

} // namespace Member
