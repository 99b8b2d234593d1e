// The settings file reader and writer on any file content. The last four bytes of an input choose
// what is written (the section, the key and the value); the bytes before them are the file.
//
// Properties: reading never fails; after one key is written, every key the reader saw before
// reads the same, the written key reads as the value written, and writing it again changes
// nothing; a UTF-8 or UTF-16 file stays in its form.

#include "FuzzSupport.h"

#include "common/Cp1252.h"
#include "common/IniFile.h"
#include "common/TextUtil.h"

#include <QList>
#include <QPair>
#include <QStringDecoder>
#include <cstring>

namespace {

constexpr int kChoiceBytes = 4;
constexpr int kMaxNames = 48;
const QString kMissing = QStringLiteral("\x01missing\x01");

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The names and values in the file, as a reader would take them: "[section]" lines and
// "key=value" lines, whatever the line ends.
struct Seen
{
    QList<QPair<QString, QString>> pairs; // section, key
    QStringList sections;
    QStringList keys;
    QStringList values;
};

Seen namesIn(const QByteArray &content)
{
    const bool utf8 = content.startsWith("\xEF\xBB\xBF");
    Seen seen;
    QString section;
    const QByteArray body = utf8 ? content.mid(3) : content;
    for (const QByteArray &raw : body.split('\n')) {
        for (const QByteArray &piece : raw.split('\r')) {
            if (seen.pairs.size() >= kMaxNames)
                return seen;
            QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom);
            const QString line = utf8 ? QString(decoder.decode(piece)) : fromCp1252(piece);
            const QString t = trimBlanks(line);
            if (t.startsWith(QLatin1Char('['))) {
                const qsizetype close = t.indexOf(QLatin1Char(']'));
                section = trimBlanks(QStringView(t).mid(1, close < 0 ? -1 : close - 1));
                seen.sections.append(section);
                continue;
            }
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (eq < 0)
                continue;
            const QString key = trimBlanks(QStringView(line).left(eq));
            seen.pairs.append({section, key});
            seen.keys.append(key);
            seen.values.append(trimBlanks(QStringView(line).mid(eq + 1)));
        }
    }
    return seen;
}

// Names and values the program writes, and some that test the rules.
const QStringList kSections = {QStringLiteral("Accesso"),        QStringLiteral("Associazione"),
                               QStringLiteral("Margini Stampa"), QStringLiteral("Stampa Tesserino"),
                               QStringLiteral("Ricevente"),      QStringLiteral("Numerazione Ricevute"),
                               QStringLiteral("Sezione \u20AC"), QStringLiteral("A")};
const QStringList kKeys = {QStringLiteral("Valore"),          QStringLiteral("Denominazione"),
                           QStringLiteral("Rigo 1"),          QStringLiteral("Inizio"),
                           QStringLiteral("Orientamento"),    QStringLiteral("Superiore"),
                           QStringLiteral("chiave pi\u00F9"), QStringLiteral("k")};
const QStringList kValues = {
    QString(),
    QStringLiteral("1"),
    QStringLiteral("55C7A0"),
    QStringLiteral("Societ\u00E0 Sportiva \u20AC 10"),
    QStringLiteral("\"Sempre avanti\""),
    QStringLiteral("'tra apici'"),
    QStringLiteral("\"\""),
    QStringLiteral("\""),
    QStringLiteral("a=b=c"),
    QStringLiteral("[non una sezione]"),
    QStringLiteral("  spazi  "),
    QStringLiteral("fuori pagina \u6F22 \U0001F600"),
    QStringLiteral("\"aperta"),
    QStringLiteral("'misto\""),
};

// A name from the file or from the list, with some letters in the other case.
QString choose(const QStringList &fromFile, const QStringList &fromList, quint8 pick)
{
    QString name = (pick & 1) && !fromFile.isEmpty() ? fromFile[(pick >> 1) % fromFile.size()]
                                                     : fromList[(pick >> 1) % fromList.size()];
    if (pick & 0x80)
        name = name.toUpper();
    return name;
}

// What reading gives back for a value written: trimmed, in the file's text (Windows-1252 turns
// what it cannot hold into '?').
QString readBack(const QString &value, bool utf8)
{
    const QString text = trimBlanks(value);
    return utf8 ? text : fromCp1252(toCp1252(text));
}

// A file with a UTF-16 byte-order mark is read as its text: the same text in UTF-8 with its mark.
QByteArray asReadText(const QByteArray &content)
{
    const bool little = content.startsWith("\xFF\xFE");
    if (!little && !content.startsWith("\xFE\xFF"))
        return content;
    QStringDecoder decoder(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    return QByteArray("\xEF\xBB\xBF") + QString(decoder.decode(content.mid(2))).toUtf8();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < size_t(kChoiceBytes))
        return 0;
    const QByteArray content = Fuzz::bytes(data, size - kChoiceBytes);
    const quint8 *choice = data + size - kChoiceBytes;
    const QByteArray text = asReadText(content);
    const bool utf8 = text.startsWith("\xEF\xBB\xBF"); // UTF-8 or UTF-16: any character fits

    const Seen seen = namesIn(text);
    const QString section = choose(seen.sections, kSections, choice[0]);
    const QString key = choose(seen.keys, kKeys, choice[1]);
    QString value = choose(seen.values, kValues, choice[2]);
    if (choice[3] & 1)
        value = value + QStringLiteral(" ") + kValues[(choice[3] >> 1) % kValues.size()];
    // The program's names are fixed texts the file can hold, and its values come from one-line
    // entry fields: no line ends in them.
    const auto holds = [utf8](const QString &name) { return utf8 || fromCp1252(toCp1252(name)) == name; };
    if (key.isEmpty() || !holds(key) || !holds(section) || value.contains(QLatin1Char('\r')) ||
        value.contains(QLatin1Char('\n')))
        return 0;

    QList<QPair<QString, QString>> names = seen.pairs;
    names.append({section, key});
    QStringList before;
    for (const auto &n : names)
        before.append(Ini::readFromBytes(content, n.first, n.second, kMissing));

    const QByteArray written = Ini::writeToBytes(content, section, key, value);
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString now = Ini::readFromBytes(written, names[i].first, names[i].second, kMissing);
        if (sameName(names[i].first, section) && sameName(names[i].second, key))
            FUZZ_CHECK_TEXT(now, readBack(value, utf8));
        else
            FUZZ_CHECK_TEXT(now, before[i]);
    }
    // Writing the same again changes nothing; the file keeps its form.
    FUZZ_CHECK(Ini::writeToBytes(written, section, key, value) == written);
    FUZZ_CHECK(written.left(2) == content.left(2) ||
               !(content.startsWith("\xFF\xFE") || content.startsWith("\xFE\xFF")));
    FUZZ_CHECK(asReadText(written).startsWith("\xEF\xBB\xBF") == utf8);
    return 0;
}
