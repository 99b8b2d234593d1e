#include "records/MemberChoiceTarget.h"

#include "records/MemberArchive.h"

void handMember(MemberChoiceTarget *target, qint64 index)
{
    Member::Record record;
    if (target && index >= 0 && MemberArchive::read(index, record))
        target->takeMember(index + 1, record);
}
