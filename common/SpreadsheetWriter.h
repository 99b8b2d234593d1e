#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

class QIODevice;

// One exported column: its header text and the width written into its header cell.
struct SpreadsheetColumn
{
    QString header;
    int width = 0;
};

// Writes a table as the single-worksheet HTML workbook that spreadsheet programs open from an
// ".xls" file: Windows-1252, one line with no line break anywhere, streamed piece by piece
// through a buffer so that no document is ever held in memory.
//
// Texts are written as markup text: "&", "<" and ">" become entities, so a note such as
// "<da rinnovare>" shows as typed instead of vanishing as a tag; characters Windows-1252 cannot
// hold, and control characters, are written as numeric references ("&#937;") instead of being lost.
class SpreadsheetWriter
{
public:
    explicit SpreadsheetWriter(QIODevice *device);
    ~SpreadsheetWriter();
    SpreadsheetWriter(const SpreadsheetWriter &) = delete;
    SpreadsheetWriter &operator=(const SpreadsheetWriter &) = delete;

    // Everything up to and including the header row.
    void writeHead(QStringView sheetName, const QList<SpreadsheetColumn> &columns);
    void beginRow();
    // One data cell; leading and trailing blanks are removed.
    void writeCell(QStringView text);
    void endRow();
    // Closes the table and the document and flushes the buffer. False when any write failed.
    bool finish();

    bool ok() const { return m_ok; }
    // The system's error number (errno) of the write that failed; 0 when none did, or it left none.
    int errorNumber() const { return m_errorNumber; }

private:
    void raw(const char *bytes, qsizetype size);
    template <qsizetype N> void raw(const char (&literal)[N]) { raw(literal, N - 1); }
    void text(QStringView text);
    void room(qsizetype bytes);
    void flush();

    QIODevice *m_device;
    QByteArray m_buffer; // a fixed block, filled up to m_used
    qsizetype m_used = 0;
    bool m_ok = true;
    int m_errorNumber = 0;
};
