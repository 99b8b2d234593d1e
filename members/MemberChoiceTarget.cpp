#include "members/MemberChoiceTarget.h"

#include "members/MemberArchive.h"

#include <QWidget>

MemberChoiceTarget *memberChoiceTarget(MemberChoiceTarget *given, QWidget *opener)
{
    return given ? given : dynamic_cast<MemberChoiceTarget *>(opener);
}

void handMember(MemberChoiceTarget *target, qint64 index)
{
    Member::Record record;
    if (target && index >= 0 && MemberArchive::read(index, record))
        target->takeMember(index + 1, record);
}
