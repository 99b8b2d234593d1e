// Writes the seed corpus of the fuzz targets into <folder>/<target>/: records made by the
// program's own encoders and by hand, settings files with every kind of line end, password files
// made by the program's encoder, and tiny pictures. Usage: make_seeds tests/fuzz/corpus
// The seeds called found_* are inputs on which a fuzz target once found a fault, kept as they were
// found so that every run tries them again.

#include "app/Crypt.h"
#include "common/Cp1252.h"
#include "records/MemberRecord.h"
#include "records/ReceiptRecord.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <cstdio>

namespace {

QString g_root;

void write(const char *target, const char *name, const QByteArray &bytes)
{
    const QString folder = g_root + QLatin1Char('/') + QLatin1String(target);
    QDir().mkpath(folder);
    QFile file(folder + QLatin1Char('/') + QLatin1String(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "make_seeds: cannot write %s\n", qPrintable(file.fileName()));
        std::exit(1);
    }
}

QByteArray members()
{
    Member::Record r;
    r[Member::Tiratore] = QStringLiteral("Rossi Mario");
    r[Member::Sesso] = QStringLiteral("M");
    r[Member::DataNasc] = QStringLiteral("01/02/1970");
    r[Member::LuogoNasc] = QStringLiteral("Forlì");
    r[Member::Citta] = QStringLiteral("Città di Castello");
    r[Member::CodFisc] = QStringLiteral("RSSMRA70B01D704X");
    r[Member::Attivita] = QStringLiteral("Tiro a volo");
    r[Member::Tessera] = QStringLiteral("0042");
    r[Member::Quota] = QStringLiteral("35,00 €");
    r[Member::InizioTes] = QStringLiteral("01/01/2024");
    r[Member::FineTes] = QStringLiteral("31/12/2024");
    r[Member::Note] = QStringLiteral("«Socio fondatore» — ‰ Š œ");
    r[Member::File01] = QStringLiteral("certificato.pdf");
    return Member::encode(r);
}

QByteArray receipts()
{
    Receipt::Record r;
    r[Receipt::NumRic] = QStringLiteral("12");
    r[Receipt::Data] = QStringLiteral("15/03/2024");
    r[Receipt::Importo] = QStringLiteral("35");
    r[Receipt::Cents] = QStringLiteral("50");
    r[Receipt::ImpLettere] = QStringLiteral("trentacinque");
    r[Receipt::CentLettere] = QStringLiteral("50");
    r[Receipt::Intero] = QStringLiteral("35,50");
    r[Receipt::Ricevente01] = QStringLiteral("A.S.D. Corvalla");
    r[Receipt::Pagatore] = QStringLiteral("Bianchi Lucia");
    r[Receipt::Sport] = QStringLiteral("Quota associativa €");
    r[Receipt::Dal] = QStringLiteral("01/01/2024");
    r[Receipt::Al] = QStringLiteral("31/12/2024");
    return Receipt::encode(r);
}

// A record as a damaged or foreign file may hold it: lengths beyond the width, blanks and
// control characters around the text, bytes after the text.
QByteArray damaged(int size, const FieldSpec *fields, int count)
{
    static const char kFill[] = {' ',    ' ',    '\t',   '\x01', 'A', 'b', '\x80',
                                 '\x9F', '\xA0', '\xFF', ' ',    'z', 'Z'};
    QByteArray bytes(size, '\0');
    for (int i = 0; i < count; ++i) {
        char *f = bytes.data() + fields[i].offset;
        for (int k = 1; k <= fields[i].width; ++k)
            f[k] = kFill[(i + k) % int(sizeof kFill)];
        f[0] = char(i % 3 == 0 ? 255 : (i % 3 == 1 ? fields[i].width : fields[i].width / 2));
    }
    return bytes;
}

QByteArray picture(const char *format, QImage::Format pixels)
{
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.fillRect(0, 0, 3, 2, Qt::red);
        p.fillRect(3, 2, 3, 2, Qt::blue);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(60);
    if (!writer.write(image.convertToFormat(pixels))) {
        std::fprintf(stderr, "make_seeds: cannot write a %s picture\n", format);
        std::exit(1);
    }
    return bytes;
}

QByteArray passwordFile(const QByteArray &before, const QString &password, const QByteArray &after)
{
    return before + Crypt::encode(password).value().toLatin1() + after;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds <corpus folder>\n");
        return 2;
    }
    g_root = QString::fromLocal8Bit(argv[1]);

    write("fuzz_member_file", "one_member", members());
    write("fuzz_member_file", "damaged_member_and_tail",
          damaged(Member::kRecordSize, Member::fieldSpecs(), Member::FieldCount) + QByteArray(40, '\x05'));
    write("fuzz_year_file", "two_receipts", receipts() + Receipt::encode(Receipt::Record{}));
    write("fuzz_year_file", "damaged_receipt_and_tail",
          damaged(Receipt::kRecordSize, Receipt::kFields.data(), Receipt::FieldCount) + QByteArray(30, 'x'));

    // The last four bytes choose the section, key and value written (see fuzz_ini.cpp).
    const QByteArray choose("\x01\x03\x05\x00", 4);
    write("fuzz_ini", "crlf", "; nota\r\n[Accesso]\r\nValore=55C7\r\n\r\n[Altro]\r\nk = v \r\n" + choose);
    write("fuzz_ini", "lf", "[A]\nk=1\nquoted=\"  q  \"\n[B]\nk=2\n" + choose);
    write("fuzz_ini", "lone_cr", "[A]\rk=1\rj=2\r[B]\rz=3\r" + choose);
    write("fuzz_ini", "lone_cr_at_end", "[A]\r\nk=1\r\nj=2\r" + QByteArray("\x01\x02\x00\x00", 4));
    write("fuzz_ini", "utf8_bom",
          "\xEF\xBB\xBF[Associazione]\r\nDenominazione=Societ\xC3\xA0 \xE2\x82\xAC\r\n" + choose);
    // A value with quotes of its own: reading takes one pair off.
    write("fuzz_ini", "quoted_value",
          QByteArray("[A]\r\nk=\"\"q\"\"\r\n") + QByteArray("\x01\x03\x01\x00", 4));
    write("fuzz_ini", "cp1252", "[Ricevente]\r\nRigo 1=Societ\xE0 \x80\r\nRigo 2='citata'\r\n" + choose);

    write("fuzz_settings_files", "Tesserini.ini",
          "[Associazione]\r\nDenominazione=A.S.D. Corvalla\r\nIndirizzo=Via Roma 1\r\nRecapiti=\r\n"
          "Note=\"Sempre avanti\"\r\n[Margini Stampa]\r\nSuperiore=5\r\nSinistro=-2,5\r\n"
          "[Stampa Tesserino]\r\nOrientamento=Orizzontale\r\n");
    write(
        "fuzz_settings_files", "Ricevute_Generiche.ini",
        "[Ricevente]\r\nRigo 1=Societ\xE0 Sportiva\r\nRigo 2=Via Roma 1\r\nRigo 3=\r\nRigo 4=P. IVA 0123\r\n"
        "[Numerazione Ricevute]\r\nInizio=12,5\r\n");
    write(
        "fuzz_settings_files", "utf8_bom_lf",
        "\xEF\xBB\xBF[Ricevente]\nRigo 1=Citt\xC3\xA0 \xE2\x82\xAC\n[Numerazione Ricevute]\nInizio= 007 \n");

    write("fuzz_password_file", "crlf",
          passwordFile("[Accesso]\r\nValore=", QStringLiteral("CORVALLA"), "\r\n"));
    write("fuzz_password_file", "euro_and_accents",
          passwordFile("[Accesso]\nValore=", QStringLiteral("PI\u00D9 \u20AC \u0160"), "\n"));
    write("fuzz_password_file", "utf8_bom_quoted",
          passwordFile("\xEF\xBB\xBF[accesso]\r\nvalore=\"", QStringLiteral("X"), "\"\r\n"));
    write("fuzz_password_file", "bad_digit", "[Accesso]\r\nValore=55C7G0A\r\n");

    write("fuzz_picture", "tiny.jpg", picture("jpeg", QImage::Format_RGB32));
    write("fuzz_picture", "tiny.bmp", picture("bmp", QImage::Format_RGB888));
    write("fuzz_picture", "tiny_mono.bmp", picture("bmp", QImage::Format_Mono));
    write("fuzz_picture", "tiny.png", picture("png", QImage::Format_ARGB32));
    return 0;
}
