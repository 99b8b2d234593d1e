#pragma once

#include "records/MemberRecord.h"

#include <functional>

class QString;
class QWidget;

// Where a member chosen in a member list goes (the member search, the expiry lists). The window
// that opens the list gives it one before showing it; a list without one hands nothing over.
class MemberChoiceTarget
{
public:
    virtual ~MemberChoiceTarget() = default;
    // `position` is the member's 1-based record position, `record` the member as read then.
    virtual void takeMember(qint64 position, const Member::Record &record) = 0;
};

// Opens a fresh member search over `opener`, with the caller context `context` written into it,
// modally; a member opened from its list goes to `target`. The work areas that are not the member
// archive get this from the program when it starts.
using MemberSearchOpener =
    std::function<void(QWidget *opener, const QString &context, MemberChoiceTarget &target)>;

// Reads the member at 0-based `index` and hands it to `target`; nothing happens when the record
// cannot be read or there is no target.
void handMember(MemberChoiceTarget *target, qint64 index);
