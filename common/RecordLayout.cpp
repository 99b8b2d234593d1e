#include "common/RecordLayout.h"

int RecordLayout::indexOf(QStringView name) const
{
    for (int i = 0; i < m_count; ++i)
        if (name == QLatin1String(m_fields[i].name))
            return i;
    return -1;
}

void encodeRecord(const RecordLayout &layout, const QString *texts, char *record)
{
    for (int i = 0; i < layout.fieldCount(); ++i) {
        const FieldSpec &f = layout.field(i);
        encodeFixedText(record + f.offset, f.width, texts[i]);
    }
}

void decodeRecord(const RecordLayout &layout, const char *record, QString *texts)
{
    for (int i = 0; i < layout.fieldCount(); ++i)
        texts[i] = decodeField(layout, record, i);
}

QString decodeField(const RecordLayout &layout, const char *record, int field)
{
    const FieldSpec &f = layout.field(field);
    return decodeFixedText(record + f.offset, f.width);
}

QByteArray encodeRecord(const RecordLayout &layout, const QStringList &texts)
{
    QStringList all = texts;
    while (all.size() < layout.fieldCount())
        all.append(QString());
    QByteArray bytes(layout.recordSize(), '\0');
    encodeRecord(layout, all.constData(), bytes.data());
    return bytes;
}

QStringList decodeRecord(const RecordLayout &layout, const QByteArray &bytes)
{
    QStringList texts(layout.fieldCount());
    if (bytes.size() >= layout.recordSize())
        decodeRecord(layout, bytes.constData(), texts.data());
    return texts;
}
