#include "common/RecordRules.h"

#include "common/SystemError.h"
#include "common/TextUtil.h"

namespace RecordRules {

qint64 positionNumber(QStringView text)
{
    const QStringView t = trimBlanksView(text);
    if (t.isEmpty())
        return 0;
    bool ok = false;
    const qint64 p = t.toLongLong(&ok);
    return ok && p > 0 ? p : -1;
}

Browse browse(Step step, qint64 position, const std::function<qint64()> &count)
{
    using O = Browse::Outcome;
    if (position < 0 && (step == Step::Next || step == Step::Previous))
        return {O::NoMove, -1, false};
    if (step == Step::Previous && position == 1)
        return {O::NoMove, -1, false};

    const qint64 n = count();
    if (n < 0)
        return {O::AccessError, -1, false};
    if (n == 0)
        return {O::EmptyArchive, -1, step == Step::Next};

    switch (step) {
    case Step::First:
        return {O::Show, 0, false};
    case Step::Last:
        return {O::Show, n - 1, false};
    case Step::Next:
        // From a new record the first one; from the last one nowhere.
        return position < n ? Browse{O::Show, position, false} : Browse{O::NoMove, -1, false};
    case Step::Previous:
        // From a new record the first one; from a position past the end (the archive shrank
        // meanwhile) the last one.
        if (position == 0)
            return {O::Show, 0, false};
        return {O::Show, qMin(position, n + 1) - 2, false};
    }
    return {O::NoMove, -1, false};
}

const RequiredField *firstMissingField(const RequiredField *begin, const RequiredField *end,
                                       const std::function<QString(int field)> &textOf)
{
    for (const RequiredField *row = begin; row != end; ++row)
        if (trimBlanksView(textOf(row->field)).isEmpty())
            return row;
    return nullptr;
}

Save save(const RecordArchive &archive, qint64 position, const QByteArray &record,
          const RecordArchive::Maker &makeNew)
{
    Save result;
    if (position < 0) {
        result.error = QStringLiteral("save: the position on show is not a record position");
        return result;
    }
    if (position > 0) {
        if (archive.writeBytes(position - 1, record, &result.error, &result.errorNumber)) {
            result.outcome = Save::Outcome::Updated;
            result.position = position;
        }
        return result;
    }
    const qint64 index = makeNew ? archive.appendMade(makeNew, &result.error, &result.errorNumber)
                                 : archive.appendBytes(record, &result.error, &result.errorNumber);
    if (index >= 0) {
        result.outcome = Save::Outcome::Appended;
        result.position = index + 1;
    }
    return result;
}

QString saveFailureMessage(const Save &failed, const QString &accessMessage)
{
    if (!SystemError::isDiskFull(failed.errorNumber))
        return accessMessage;
    return QStringLiteral("Attenzione: il sistema non permette di salvare i dati in archivio.\n\r\n\r") +
           SystemError::diskFullAdvice(QStringLiteral("il salvataggio"));
}

} // namespace RecordRules
