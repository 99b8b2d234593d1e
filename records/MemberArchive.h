#pragma once

#include "common/RecordArchive.h"
#include "records/MemberRecord.h"

#include <QString>
#include <functional>

// The member archive Archivio_Iscritti.pro in the program folder, with its photo folder
// Anagrafica and its attachments folder Documenti_Allegati. Every operation opens the file
// (creating it empty when missing), acts and closes it before returning.
namespace MemberArchive {

QString filePath();
QString photoFolder();                      // ends with a separator
QString photoPath(const QString &position); // Anagrafica/Scheda_Iscritto_<p>.jpg
QString attachmentsFolder();                // ends with a separator
QString attachmentPath(const QString &name);
// The file that "Apri" may open for an attachment named `name` in a member record: a file of the
// attachments folder itself. Empty for a name that leads elsewhere (a path, "..", a link out of
// the folder), which a damaged or crafted archive could hold.
QString openableAttachment(const QString &name);

// The message every member window shows when the archive cannot be opened, read or written.
QString accessMessage();

// The archive file with the member layout, for the shared record rules.
RecordArchive archive();

// Number of complete records, or -1 when the file cannot be opened or created.
qint64 count(QString *error = nullptr);

// Reads the record at 0-based `index`.
bool read(qint64 index, Member::Record &record, QString *error = nullptr);

// Writes the record over the one at `index` (update in place; never past the last record).
bool write(qint64 index, const Member::Record &record, QString *error = nullptr);

// Appends the record; returns its 0-based index, or -1 on failure. Counting and writing happen
// under one exclusive lock, so two programs appending at once get two records.
qint64 append(const Member::Record &record, QString *error = nullptr);

// Reads every record in index order, in large sequential blocks, and hands the raw bytes of each
// (Member::kRecordSize bytes) to `visit`; visiting stops early when it returns false.
// Returns false when the file cannot be opened or a read fails (records visited so far stay visited).
bool scan(const std::function<bool(qint64 index, const char *record)> &visit, QString *error = nullptr);

} // namespace MemberArchive
