// The member archive Archivio_Iscritti.pro: the input is the whole file, 3189-byte member records
// one after the other (a damaged or foreign file may end in an incomplete record).

#include "RecordChecks.h"

#include "records/MemberArchive.h"
#include "records/MemberRecord.h"

namespace {
struct MemberKind
{
    using Record = Member::Record;
    static constexpr int kSize = Member::kRecordSize;
    static constexpr int kFieldCount = Member::FieldCount;
    static RecordLayout layout() { return Member::layout(); }
    static QByteArray encode(const Record &r) { return Member::encode(r); }
    static Record decode(const QByteArray &bytes) { return Member::decode(bytes); }
    static QString decodeField(const char *record, int field) { return Member::decodeField(record, field); }
    static QString path() { return MemberArchive::filePath(); }
    static qint64 count() { return MemberArchive::count(); }
    static bool read(qint64 index, Record &r) { return MemberArchive::read(index, r); }
    static bool write(qint64 index, const Record &r) { return MemberArchive::write(index, r); }
    static qint64 append(const Record &r) { return MemberArchive::append(r); }
    static bool scan(const RecordArchive::Visitor &visit) { return MemberArchive::scan(visit); }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    RecordChecks::check<MemberKind>(data, size);
    return 0;
}
