// A receipt year file <year>.ric: the input is the whole file, 1099-byte receipt records one after
// the other (a damaged or foreign file may end in an incomplete record).

#include "RecordChecks.h"

#include "records/ReceiptRecord.h"
#include "records/YearFile.h"

namespace {
struct ReceiptKind
{
    using Record = Receipt::Record;
    static constexpr int kSize = Receipt::kRecordSize;
    static constexpr int kFieldCount = Receipt::FieldCount;
    static RecordLayout layout() { return Receipt::layout(); }
    static QByteArray encode(const Record &r) { return Receipt::encode(r); }
    static Record decode(const QByteArray &bytes) { return Receipt::decode(bytes); }
    static QString decodeField(const char *record, int field) { return Receipt::decodeField(record, field); }
    static QString path() { return YearFile::pathFor(QStringLiteral("2024")); }
    static YearFile file() { return YearFile(path()); }
    static qint64 count() { return file().count(); }
    static bool read(qint64 index, Record &r) { return file().read(index, r); }
    static bool write(qint64 index, const Record &r) { return file().write(index, r); }
    static qint64 append(const Record &r) { return file().append(r); }
    static bool scan(const RecordArchive::Visitor &visit) { return file().scan(visit); }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    RecordChecks::check<ReceiptKind>(data, size);
    return 0;
}
