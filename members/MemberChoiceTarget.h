#pragma once

#include "members/MemberRecord.h"

// Where a member chosen in a member list goes (the member search, the expiry lists): the window
// that opened the list implements it, or hands the list another one. A misspelt target does not
// compile.
class MemberChoiceTarget
{
public:
    virtual ~MemberChoiceTarget() = default;
    // `position` is the member's 1-based record position, `record` the member as read then.
    virtual void takeMember(qint64 position, const Member::Record &record) = 0;
};

// The target of a one-use member list: the one given, else the opener itself when it is one.
class QWidget;
MemberChoiceTarget *memberChoiceTarget(MemberChoiceTarget *given, QWidget *opener);
// Reads the member at 0-based `index` and hands it to `target`; nothing happens when the record
// cannot be read or there is no target.
void handMember(MemberChoiceTarget *target, qint64 index);
