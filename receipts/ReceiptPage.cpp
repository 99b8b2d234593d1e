#include "receipts/ReceiptPage.h"

#include "common/ResourceImage.h"
#include "common/TextUtil.h"

#include <QtMath>

namespace ReceiptPage {

namespace {
using namespace Reports;
using Receipt::Field;

constexpr QRgb kNone = kNoColour;
constexpr QRgb kAliceBlue = Colour::AliceBlue;
constexpr QRgb kWhite = Colour::White;

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop;
constexpr Qt::Alignment kLeftMiddle = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kCentreTop = Qt::AlignHCenter | Qt::AlignTop;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignTop;
constexpr Qt::Alignment kRightMiddle = Qt::AlignRight | Qt::AlignVCenter;

const char *const kScissors = ":/pictures/ricevuta_forbici.svg";
const char *const kEuro = ":/pictures/ricevuta_euro.svg";
const char *const kComma = ":/pictures/ricevuta_virgola.svg";

// Fixed pictures are drawn at this resolution in their boxes.
constexpr double kPictureDpi = 300;

// The cut line: a row of 100 hyphens.
const char *const kCutLine = "--------------------------------------------------"
                             "--------------------------------------------------";

constexpr double S = kSame;
constexpr Kind Ln = Kind::Line;
constexpr Kind Rc = Kind::Rectangle;
constexpr Kind Pc = Kind::Picture;
constexpr Kind Tx = Kind::Text;
constexpr Kind Cp = Kind::Caption;
} // namespace

const std::vector<PageObject> &objects()
{
    // clang-format off
    static const std::vector<PageObject> table = {
        // name             kind left   top    width  height pt  bold   align         fill        text                       picture  lower copy: name, top, left, height, text
        // Frame, bars and cut line.
        {"lineTop",         Ln,  10,    10,    190,   0,     0,  false, kLeft,        kNone,      nullptr,                   nullptr, "Line1",            165,   S,    S, nullptr},
        {"lineLeft",        Ln,  10,    10,    0,     115,   0,  false, kLeft,        kNone,      nullptr,                   nullptr, "Line2",            165,   S,    S, nullptr},
        {"lineRight",       Ln,  200,   10,    0,     115,   0,  false, kLeft,        kNone,      nullptr,                   nullptr, "Line3",            165,   S,    S, nullptr},
        {"Shape4",          Rc,  10,    125,   190,   6,     0,  false, kLeft,        kAliceBlue, nullptr,                   nullptr, "Shape5",           280,   S,    S, nullptr},
        {"Memo13",          Tx,  11.5,  126,   187,   4.4,   8,  false, kLeftMiddle,  kNone,      "COPIA PER IL PAGATORE",   nullptr, "Memo15",           281,   S,    S, "COPIA PER IL RICEVENTE"},
        {"Picture3",        Pc,  10,    144.6, 9.4,   9,     0,  false, kLeft,        kNone,      nullptr,                   kScissors, nullptr,          0,     S,    S, nullptr},
        {"Memo1",           Tx,  16,    143.2, 185,   8,     18, false, kLeft,        kNone,      kCutLine,                  nullptr, nullptr,            0,     S,    S, nullptr},
        // Heading.
        {"imgLogo",         Pc,  14,    14,    39.4,  22,    0,  false, kLeft,        kNone,      nullptr,                   nullptr, "imgLogo_B",        169,   S,    S, nullptr},
        {"txtRicevente01",  Tx,  55,    14,    87,    4,     9,  false, kLeft,        kNone,      nullptr,                   nullptr, "txtRicevente01_B", 169,   S,    S, nullptr},
        {"txtRicevente02",  Tx,  55,    20,    87,    4,     9,  false, kLeft,        kNone,      nullptr,                   nullptr, "txtRicevente02_B", 175,   S,    S, nullptr},
        {"txtRicevente03",  Tx,  55,    26,    87,    4,     9,  false, kLeft,        kNone,      nullptr,                   nullptr, "txtRicevente03_B", 181,   S,    S, nullptr},
        {"txtRicevente04",  Tx,  55,    32,    87,    4,     9,  false, kLeft,        kNone,      nullptr,                   nullptr, "txtRicevente04_B", 187,   S,    S, nullptr},
        {"shpNumFatt",      Rc,  144,   14,    52,    9,     0,  false, kLeft,        kAliceBlue, nullptr,                   nullptr, "Shape6",           169,   S,    S, nullptr},
        {"txtNumRic",       Tx,  146,   16,    49,    5,     12, true,  kLeftMiddle,  kNone,      nullptr,                   nullptr, "txtNumRic_B",      171,   S,    S, nullptr},
        {"Shape12",         Rc,  144,   27,    52,    9,     0,  false, kLeft,        kAliceBlue, nullptr,                   nullptr, "Shape13",          182,   S,    S, nullptr},
        {"txtData",         Tx,  146,   29,    49,    5,     12, false, kLeftMiddle,  kNone,      nullptr,                   nullptr, "txtData_B",        184,   S,    6, nullptr},
        // Body.
        {"shpContratto",    Rc,  14,    39,    182,   39,    0,  false, kLeft,        kWhite,     nullptr,                   nullptr, "Shape7",           194,   S,    S, nullptr},
        {"Memo5",           Cp,  17,    41,    24,    4.4,   9,  true,  kLeft,        kNone,      "Riceviamo da",            nullptr, "Memo27",           196,   S,    S, nullptr},
        {"txtPagatore",     Tx,  42,    41,    88,    4.4,   9,  false, kLeft,        kNone,      nullptr,                   nullptr, "txtPagatore_B",    196,   S,    S, nullptr},
        {"Memo3",           Cp,  131,   41,    26,    4.4,   9,  true,  kLeft,        kNone,      "codice fiscale:",         nullptr, "Memo30",           196,   S,    S, nullptr},
        {"txtCodFisc",      Tx,  158,   41,    36,    4.4,   9,  false, kLeft,        kNone,      nullptr,                   nullptr, "txtCodFisc_B",     196,   S,    S, nullptr},
        {"Memo2",           Cp,  17,    46,    34,    4.4,   9,  true,  kLeft,        kNone,      "per l'attività sportiva", nullptr, "Memo31",           201,   S,    S, nullptr},
        {"txtSport",        Tx,  52,    46,    78,    4.4,   9,  false, kLeft,        kNone,      nullptr,                   nullptr, "txtSport_B",       201,   S,    S, nullptr},
        {"Memo19",          Cp,  131,   46,    7.4,   4.4,   9,  true,  kLeft,        kNone,      "dal",                     nullptr, "Memo35",           201,   S,    S, nullptr},
        {"txtDal",          Tx,  139.4, 46,    23,    4.4,   9,  false, kLeft,        kNone,      nullptr,                   nullptr, "txtDal_B",         201,   S,    S, nullptr},
        {"Memo16",          Cp,  164,   46,    6,     4.4,   9,  true,  kLeft,        kNone,      "al",                      nullptr, "Memo33",           201,   S,    S, nullptr},
        {"txtAl",           Tx,  171,   46,    23,    4.4,   9,  false, kLeft,        kNone,      nullptr,                   nullptr, "txtAl_B",          201,   S,    S, nullptr},
        {"Picture2",        Pc,  17,    53,    6.4,   6,     0,  false, kLeft,        kNone,      nullptr,                   kEuro,   "Picture7",         209,   S,    S, nullptr},
        {"Shape1",          Rc,  25,    53,    169,   6,     0,  false, kLeft,        kAliceBlue, nullptr,                   nullptr, "Shape11",          209,   S,    S, nullptr},
        {"txtImpLettere",   Tx,  26.2,  54,    167,   4,     9,  false, kLeft,        kNone,      nullptr,                   nullptr, "txtImpLettere_B",  210,   26,   S, nullptr},
        {"titUfficioTer",   Tx,  25,    60,    169,   3.4,   7,  false, kCentreTop,   kNone,      "(IN LETTERE)",            nullptr, "Memo23",           216,   S,    S, nullptr},
        {"Memo6",           Cp,  17,    66,    19,    4.4,   9,  true,  kLeft,        kNone,      "Praticante:",             nullptr, "Memo28",           221,   S,    S, nullptr},
        {"txtPraticante",   Tx,  37,    66,    63,    4.4,   9,  false, kLeft,        kNone,      nullptr,                   nullptr, "txtPraticante_B",  221,   S,    S, nullptr},
        {"Memo17",          Cp,  101,   66,    28,    4.4,   9,  true,  kLeft,        kNone,      "luogo di nascita:",       nullptr, "Memo37",           221,   S,    S, nullptr},
        {"txtLuogoNasc",    Tx,  130,   66,    64,    4.4,   9,  false, kLeft,        kNone,      nullptr,                   nullptr, "txtLuogoNasc_B",   221,   S,    S, nullptr},
        {"Memo4",           Cp,  17,    71,    26,    4.4,   9,  true,  kLeft,        kNone,      "data di nascita:",        nullptr, "Memo38",           226,   S,    S, nullptr},
        {"txtDataNasc",     Tx,  44,    71,    23,    4.4,   9,  false, kLeft,        kNone,      nullptr,                   nullptr, "txtDataNasc_B",    226,   S,    S, nullptr},
        {"Memo21",          Cp,  68,    71,    16.4,  4.4,   9,  true,  kLeft,        kNone,      "indirizzo:",              nullptr, "Memo40",           226,   S,    S, nullptr},
        {"txtIndirizzo",    Tx,  85,    71,    109,   4.4,   9,  false, kLeft,        kNone,      nullptr,                   nullptr, "txtIndirizzo_B",   226,   S,    S, nullptr},
        // Stamp box, total and signature.
        {"icoBollo",        Rc,  14,    81,    55,    40,    0,  false, kLeft,        kWhite,     nullptr,                   nullptr, "Shape8",           236,   S,    S, nullptr},
        {"titBollo",        Tx,  15,    96,    53,    5,     8,  false, kCentre,      kNone,      "BOLLO VIGENTE",           nullptr, "Memo18",           251.4, 15.5, S, "BOLLO APPOSTO SULL'ORIGINALE"},
        {"Memo11",          Tx,  15,    101,   53,    5,     8,  false, kCentre,      kNone,      "(OVE RICHIESTO)",         nullptr, "Memo22",           256.4, 15.5, S, nullptr},
        {"Memo7",           Tx,  80,    88.8,  37,    8,     18, false, kRight,       kNone,      "TOTALE :",                nullptr, "Memo8",            243.8, S,    S, nullptr},
        {"Picture4",        Pc,  119,   88,    9.4,   9,     0,  false, kLeft,        kNone,      nullptr,                   kEuro,   "Picture5",         243,   119.5, S, nullptr},
        {"Shape2",          Rc,  131,   88,    51,    9,     0,  false, kLeft,        kWhite,     nullptr,                   nullptr, "Shape9",           243,   S,    S, nullptr},
        {"txtImporto",      Tx,  132,   89.2,  49,    7,     16, true,  kRightMiddle, kNone,      nullptr,                   nullptr, "txtImporto_B",     244.4, S,    S, nullptr},
        {"Picture1",        Pc,  182.8, 94,    1.4,   3,     0,  false, kLeft,        kNone,      nullptr,                   kComma,  "Picture6",         249,   S,    S, nullptr},
        {"Shape3",          Rc,  185,   88,    11,    9,     0,  false, kLeft,        kAliceBlue, nullptr,                   nullptr, "Shape10",          243,   S,    S, nullptr},
        {"txtCents",        Tx,  186,   89.2,  9,     7,     16, true,  kCentre,      kNone,      nullptr,                   nullptr, "txtCents_B",       244.4, S,    S, nullptr},
        {"Memo10",          Tx,  131,   98,    65,    3.4,   7,  false, kCentreTop,   kNone,      "(IN CIFRE)",              nullptr, "Memo9",            253,   S,    S, nullptr},
        {"lineFirma",       Ln,  99,    116,   90,    0,     0,  false, kLeft,        kNone,      nullptr,                   nullptr, "Line4",            271,   S,    S, nullptr},
        {"Memo12",          Tx,  99,    117,   90,    3.4,   7,  false, kCentreTop,   kNone,      "(FIRMA)",                 nullptr, "Memo14",           272,   S,    S, nullptr},
    };
    // clang-format on
    return table;
}

const std::vector<Filling> &fillings()
{
    using namespace Receipt;
    // clang-format off
    static const std::vector<Filling> table = {
        {"txtNumRic",      "Ricevuta n. ", NumRic,      nullptr, -1},
        {"txtData",        "Data:  ",      Data,        nullptr, -1},
        {"txtRicevente01", "",             Ricevente01, nullptr, -1},
        {"txtRicevente02", "",             Ricevente02, nullptr, -1},
        {"txtRicevente03", "",             Ricevente03, nullptr, -1},
        {"txtRicevente04", "",             Ricevente04, nullptr, -1},
        {"txtPagatore",    "",             Pagatore,    nullptr, -1},
        {"txtCodFisc",     "",             CodFisc,     nullptr, -1},
        {"txtSport",       "",             Sport,       nullptr, -1},
        {"txtDal",         "",             Dal,         nullptr, -1},
        {"txtAl",          "",             Al,          nullptr, -1},
        {"txtPraticante",  "",             Praticante,  nullptr, -1},
        {"txtLuogoNasc",   "",             LuogoNasc,   nullptr, -1},
        {"txtDataNasc",    "",             DataNasc,    nullptr, -1},
        {"txtIndirizzo",   "",             Indirizzo,   nullptr, -1},
        {"txtImpLettere",  "",             ImpLettere,  "/",     CentLettere, true},
        {"txtImporto",     "",             Importo,     nullptr, -1},
        {"txtCents",       "",             Cents,       nullptr, -1},
    };
    // clang-format on
    return table;
}

namespace {

ObjectDesign makeObject(const PageObject &p)
{
    const QString name = QString::fromLatin1(p.name);
    const QString text = p.text ? QString::fromUtf8(p.text) : QString();
    switch (p.kind) {
    case Kind::Line:
        return lineObject(name, p.left, p.top, p.width, p.height, kBlack);
    case Kind::Rectangle:
        return rectangleObject(name, p.left, p.top, p.width, p.height, p.fill, kBlack);
    case Kind::Picture:
        return pictureObject(name, p.left, p.top, p.width, p.height);
    case Kind::Text:
        return textObject(name, p.left, p.top, p.width, p.height, {"Arial", p.points, p.bold, false}, kBlack,
                          kNone, p.alignment, text);
    case Kind::Caption:
        return textObject(name, p.left, p.top, p.width, p.height, {"Arial", p.points, true, true}, kBlack,
                          kNone, p.alignment, text);
    }
    return ObjectDesign();
}

ObjectDesign *findObject(std::vector<ObjectDesign> &list, const QString &name)
{
    for (ObjectDesign &o : list)
        if (o.name == name)
            return &o;
    return nullptr;
}

QSize pixelsFor(double widthMm, double heightMm)
{
    return QSize(qMax(1, qRound(widthMm / kMmPerInch * kPictureDpi)),
                 qMax(1, qRound(heightMm / kMmPerInch * kPictureDpi)));
}

} // namespace

const PageDesign &design()
{
    static const PageDesign page = [] {
        PageDesign d;
        d.name = QStringLiteral("repDocumento");
        d.pageSize = QPageSize::A4;
        d.orientation = QPageLayout::Portrait;
        d.margins = QMarginsF(0, 0, 0, 0);

        std::vector<ObjectDesign> upper;
        for (const PageObject &p : objects())
            upper.push_back(makeObject(p));
        for (const Filling &f : fillings())
            if (f.printedWhole)
                findObject(upper, QString::fromLatin1(f.object))->shrinkToFit = true;

        // The lower copy: the upper one moved down with "_B" names, then each object with a name,
        // place or text of its own put right. Objects on the sheet once are left out.
        QStringList sheetOnly;
        for (const PageObject &p : objects())
            if (!p.lowerName)
                sheetOnly << QString::fromLatin1(p.name);
        std::vector<ObjectDesign> lower = copyGroup(upper, kLowerShift, QStringLiteral("_B"), sheetOnly);
        for (const PageObject &p : objects()) {
            if (!p.lowerName)
                continue;
            ObjectDesign *o = findObject(lower, QString::fromLatin1(p.name) + QStringLiteral("_B"));
            o->name = QString::fromLatin1(p.lowerName);
            o->top = p.lowerTop;
            if (p.lowerLeft != kSame)
                o->left = p.lowerLeft;
            if (p.lowerHeight != kSame)
                o->height = p.lowerHeight;
            if (p.lowerText)
                o->text = QString::fromUtf8(p.lowerText);
            // The receiver's copy is paler: its light blue boxes are snow white.
            if (o->fill == kAliceBlue)
                o->fill = Colour::Snow;
        }

        d.objects = std::move(upper);
        d.objects.insert(d.objects.end(), lower.begin(), lower.end());
        return d;
    }();
    return page;
}

bool fill(Report &report, const Receipt::Record &receipt, const QImage &logo, QString *error)
{
    report.setOrientation(QPageLayout::Portrait);
    for (const PageObject &p : objects()) {
        if (p.kind != Kind::Picture)
            continue;
        const QString name = QString::fromLatin1(p.name);
        const QImage picture =
            p.picture ? resourceImage(QString::fromLatin1(p.picture), pixelsFor(p.width, p.height)) : logo;
        if (!report.setPicture(name, picture, error))
            return false;
        if (p.lowerName && !report.setPicture(QString::fromLatin1(p.lowerName), picture, error))
            return false;
    }
    for (const Filling &f : fillings()) {
        QString text = QString::fromUtf8(f.prefix) + trimBlanks(receipt[f.field]);
        if (f.separator)
            text += QString::fromUtf8(f.separator) + trimBlanks(receipt[f.secondField]);
        const QString name = QString::fromLatin1(f.object);
        if (!report.setText(name, text, error) || !report.setText(name + QStringLiteral("_B"), text, error))
            return false;
    }
    return true;
}

bool prepare(const Receipt::Record &receipt, const QImage &logo, PreparedReport *out, QString *error)
{
    Report report(design());
    report.setDocumentName(QStringLiteral("Ricevuta"));
    return fill(report, receipt, logo, error) && report.prepare(out, error);
}

} // namespace ReceiptPage
