#pragma once

#include "common/RecordArchive.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <functional>
#include <vector>

// The rules every archive window follows, as plain functions: the window reads its controls, calls
// the rule and shows the outcome. Record positions are 1-based as the user sees them (the
// position label); 0 stands for a record not yet in the archive and -1 for a position text that
// is no position at all.
namespace RecordRules {

// The position shown in a position label: "" (blanks trimmed) is 0, a positive whole number is
// itself, anything else -1.
qint64 positionNumber(QStringView text);

// Browsing by record position with the four buttons first, previous, next and last.
enum class Step
{
    First,
    Previous,
    Next,
    Last
};

struct Browse
{
    enum class Outcome
    {
        Show,         // show the record at `index`
        EmptyArchive, // tell the user the archive holds no record
        NoMove,       // nothing happens
        AccessError,  // the archive cannot be read
    };
    Outcome outcome = Outcome::NoMove;
    qint64 index = -1;          // 0-based record to show
    bool clearPosition = false; // the position on show is cleared as well
};

// The move of `step` from `position`. `count` gives the number of records (-1 when the archive
// cannot be read) and is called only when the move depends on it: "previous" on the first record
// and any move from a position that is no position stay where they are without opening the
// archive.
Browse browse(Step step, qint64 position, const std::function<qint64()> &count);

// One required field of a window: the field (an index of the window's own choosing) and the
// message shown when a save finds it empty.
struct RequiredField
{
    int field;
    const char *message; // UTF-8
};

// The first row of `required`, in table order, whose field text is empty once blanks are trimmed
// at both ends; nullptr when every one is filled.
const RequiredField *firstMissingField(const RequiredField *begin, const RequiredField *end,
                                       const std::function<QString(int field)> &textOf);
inline const RequiredField *firstMissingField(const std::vector<RequiredField> &required,
                                              const std::function<QString(int field)> &textOf)
{
    return firstMissingField(required.data(), required.data() + required.size(), textOf);
}

// Saving a record: a record on show (position > 0) is written over its place, a new one
// (position 0) is appended; a position that is no position (-1) fails without touching the
// archive.
struct Save
{
    enum class Outcome
    {
        Updated,
        Appended,
        Failed
    };
    Outcome outcome = Outcome::Failed;
    qint64 position = 0; // the record's 1-based position after the save (0 when it failed)
    QString error;
    int errorNumber = 0; // the system's error number of a failure, 0 when it had none
};
// A new record is built by `makeNew`, when given, from the number of records then in the file
// (RecordArchive::appendMade); otherwise `record` is appended as it is.
Save save(const RecordArchive &archive, qint64 position, const QByteArray &record,
          const RecordArchive::Maker &makeNew = {});

// The message of a save that failed, which the window shows in place of its `accessMessage`: a
// full disk says so and asks to free space (the privileges the access message asks about would
// be the wrong fix); any other failure is told by the access message itself.
QString saveFailureMessage(const Save &failed, const QString &accessMessage);

} // namespace RecordRules
