#include "common/SpreadsheetWriter.h"

#include "common/Cp1252.h"
#include "common/TextUtil.h"

#include <QIODevice>

#include <cstdio>
#include <cstring>

namespace {
constexpr qsizetype kBufferSize = 256 * 1024;
// Room kept for each UTF-16 unit of a text: a unit becomes at most "&#65533;" (a pair at most
// "&#1114111;"), plus the closing NUL that snprintf writes.
constexpr qsizetype kMaxBytesPerUnit = 10;

// Writes the Windows-1252 form of `text`, as markup text, at `out`; returns the new end.
// `out` has room for kMaxBytesPerUnit bytes per unit of `text`.
char *encodeInto(QStringView text, char *out)
{
    const char16_t *p = text.utf16();
    const char16_t *const end = p + text.size();
    while (p < end) {
        // Most texts are plain letters, digits and punctuation: copy those runs straight.
        while (p < end && *p >= 0x20 && *p < 0x7F && *p != '&' && *p != '<' && *p != '>')
            *out++ = char(*p++);
        if (p == end)
            break;
        char32_t cp = *p++;
        if (cp >= 0x20 && cp < 0x7F) {
            switch (cp) {
            case '&':
                std::memcpy(out, "&amp;", 5);
                out += 5;
                break;
            case '<':
                std::memcpy(out, "&lt;", 4);
                out += 4;
                break;
            case '>':
                std::memcpy(out, "&gt;", 4);
                out += 4;
                break;
            default:
                *out++ = char(cp);
                break;
            }
            continue;
        }
        if (QChar::isHighSurrogate(cp) && p < end && QChar::isLowSurrogate(*p))
            cp = QChar::surrogateToUcs4(char16_t(cp), *p++);
        else if (QChar::isSurrogate(cp))
            cp = 0xFFFD; // a broken surrogate pair
        const int b = cp >= 0xA0 ? cp1252Byte(cp) : -1;
        if (b >= 0) {
            *out++ = char(b);
        } else {
            // Control characters (a line break above all) and characters outside the code page.
            out += std::snprintf(out, kMaxBytesPerUnit + 1, "&#%u;", unsigned(cp));
        }
    }
    return out;
}
} // namespace

SpreadsheetWriter::SpreadsheetWriter(QIODevice *device)
    : m_device(device), m_buffer(kBufferSize, Qt::Uninitialized)
{
}

SpreadsheetWriter::~SpreadsheetWriter() = default;

void SpreadsheetWriter::room(qsizetype bytes)
{
    if (m_used + bytes <= m_buffer.size())
        return;
    flush();
    if (bytes > m_buffer.size())
        m_buffer.resize(bytes); // one very long text
}

void SpreadsheetWriter::raw(const char *bytes, qsizetype size)
{
    room(size);
    std::memcpy(m_buffer.data() + m_used, bytes, size_t(size));
    m_used += size;
}

void SpreadsheetWriter::text(QStringView t)
{
    room(t.size() * kMaxBytesPerUnit);
    char *const start = m_buffer.data() + m_used;
    m_used += encodeInto(t, start) - start;
}

void SpreadsheetWriter::flush()
{
    if (m_used == 0)
        return;
    errno = 0;
    if (m_ok && m_device->write(m_buffer.constData(), m_used) != m_used) {
        m_ok = false;
        m_errorNumber = errno;
    }
    m_used = 0;
}

void SpreadsheetWriter::writeHead(QStringView sheetName, const QList<SpreadsheetColumn> &columns)
{
    raw("<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
        "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
        "xmlns=\"http://www.w3.org/TR/REC-html40\">");
    raw("<head>");
    raw("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">");
    raw("<!--[if gte mso 9]><xml>");
    raw("<x:ExcelWorkbook>");
    raw("<x:ExcelWorksheets>");
    raw("<x:ExcelWorksheet>");
    raw("<x:Name>");
    text(sheetName);
    raw("</x:Name>");
    raw("<x:WorksheetOptions>");
    raw("<x:Selected/>");
    raw("<x:Panes>");
    raw("<x:Pane>");
    raw("<x:Number>1</x:Number>");
    raw("<x:ActiveRow>3</x:ActiveRow>");
    raw("</x:Pane>");
    raw("</x:Panes>");
    raw("<x:ProtectContents>False</x:ProtectContents>");
    raw("<x:ProtectObjects>False</x:ProtectObjects>");
    raw("<x:ProtectScenarios>False</x:ProtectScenarios>");
    raw("</x:WorksheetOptions>");
    raw("</x:ExcelWorksheet>");
    raw("</x:ExcelWorksheets>");
    raw("</x:ExcelWorkbook>");
    raw("</xml><![endif]-->");
    raw("</head>");
    raw("<body>");
    raw("<table x:str>");
    raw("<tr>");
    for (const SpreadsheetColumn &c : columns) {
        raw("<td style=\"text-align: left; font-weight: bold;\" width=");
        const QByteArray width = QByteArray::number(c.width);
        raw(width.constData(), width.size());
        raw(">");
        text(c.header);
        raw("</td>");
    }
    raw("</tr>");
}

void SpreadsheetWriter::beginRow()
{
    raw("<tr>");
}

void SpreadsheetWriter::writeCell(QStringView t)
{
    // Trimmed as a view: a big export must not copy every cell.
    const QStringView cell = trimBlanksView(t);
    static constexpr char open[] = "<td style=\"text-align: left;\">";
    static constexpr char close[] = "</td>";
    constexpr qsizetype openSize = sizeof(open) - 1, closeSize = sizeof(close) - 1;
    room(openSize + cell.size() * kMaxBytesPerUnit + closeSize);
    char *out = m_buffer.data() + m_used;
    std::memcpy(out, open, openSize);
    out = encodeInto(cell, out + openSize);
    std::memcpy(out, close, closeSize);
    m_used = out + closeSize - m_buffer.constData();
}

void SpreadsheetWriter::endRow()
{
    raw("</tr>");
}

bool SpreadsheetWriter::finish()
{
    raw("</table>");
    raw("</body>");
    raw("</html>");
    flush();
    return m_ok;
}
