#include "members/MemberSheetPage.h"

#include "common/TextUtil.h"

namespace MemberSheetPage {

namespace {
using namespace Reports;

constexpr QRgb kRoyalBlue = 0xFF4169E1;
constexpr double kStd = -1;
constexpr double kCaptionBarHeight = 4.8;
constexpr double kValueBoxTop = 5;
constexpr double kValueBoxHeight = 6;
constexpr double kCaptionHeight = 3.6;
constexpr double kValueHeight = 4;

constexpr Qt::Alignment kLeft = Qt::AlignLeft;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter;
} // namespace

const std::vector<FieldBox> &fieldBoxes()
{
    // clang-format off
    static const std::vector<FieldBox> boxes = {
        // top  left width caption                                 field             value    cap.off cap.w  val.off val.w
        {153,   1,  58, "LUOGO DI NASCITA",                    "txtLuogoNasc",    kLeft,   kStd,  kStd,  kStd,  kStd},
        {153,  61,  32, "DATA DI NASCITA",                     "txtDataNasc",     kLeft,   kStd,  kStd,  kStd,  kStd},
        {153,  95,  16, "SESSO",                               "txtSesso",        kCentre, kStd,  kStd,  kStd,  kStd},
        {153, 113,  76, "INDIRIZZO",                           "txtIndirizzo",    kLeft,   kStd,  kStd,  kStd,  kStd},
        {167,   1,  58, "CITTA'",                              "txtCitta",        kLeft,   kStd,  kStd,  kStd,  kStd},
        {167,  61,  32, "CAP",                                 "txtCap",          kLeft,   kStd,  kStd,  kStd,  kStd},
        {167,  95,  45, "NAZIONE",                             "txtNazione",      kLeft,   kStd,  kStd,  kStd,  kStd},
        {167, 142,  47, "CODICE FISCALE",                      "txtCodFisc",      kLeft,   kStd,  kStd,  kStd,  kStd},
        {181,   1,  92, "DATA DI SCADENZA CERTIFICATO MEDICO", "txtStudio",       kLeft,   kStd,  kStd,  kStd,  kStd},
        {181,  95,  94, "ATTIVITA' SPORTIVA",                  "txtEnte",         kLeft,   kStd,  kStd,  kStd,  kStd},
        {195,   1,  92, "PROFESSIONE",                         "txtProfessione",  kLeft,   kStd,  89.8,  1.0,   89.9},
        {195,  95,  45, "GRUPPO SANGUIGNO",                    "txtGruppo",       kLeft,   kStd,  kStd,  kStd,  kStd},
        {195, 142,  47, "CITTADINANZA",                        "txtCittadinanza", kLeft,   kStd,  kStd,  kStd,  kStd},
        {209,   1,  62, "TESSERA N.",                          "txtTessera",      kLeft,   kStd,  kStd,  kStd,  kStd},
        {209,  65,  28, "QUOTA: €",                            "txtQuota",        kLeft,   kStd,  kStd,  kStd,  kStd},
        {209,  95,  45, "DATA DI RILASCIO",                    "txtInizioTes",    kLeft,   kStd,  kStd,  kStd,  kStd},
        {209, 142,  47, "DATA DI SCADENZA",                    "txtFineTes",      kLeft,   kStd,  kStd,  kStd,  kStd},
        {223,   1,  92, "E-MAIL",                              "txtEmail",        kLeft,   kStd,  kStd,  kStd,  kStd},
        {223,  95,  45, "TEL. CASA",                           "txtTel",          kLeft,   kStd,  kStd,  kStd,  kStd},
        {223, 142,  47, "TEL. CELLULARE",                      "txtCel",          kLeft,   kStd,  kStd,  kStd,  kStd},
        {237,   1,  92, "PRATICANTE",                          "txtArmi",         kLeft,   kStd,  89.8,  kStd,  kStd},
        {237,  95,  94, "LUOGO DI NASCITA",                    "txtPorto",        kLeft,   kStd,  kStd,  kStd,  kStd},
        {251,   1,  45, "DATA DI NASCITA",                     "txtInizioPor",    kLeft,   kStd,  kStd,  kStd,  kStd},
        {251,  48, 141, "INDIRIZZO",                           "txtFinePor",      kLeft,   kStd,  kStd,  kStd,  kStd},
        {265,   1, 188, "NOTE",                                "txtNote",         kLeft,   0.6,   185.8, 1.0,   kStd},
    };
    // clang-format on
    return boxes;
}

const PageDesign &design()
{
    static const PageDesign page = [] {
        PageDesign d;
        d.name = QStringLiteral("Page1");
        d.pageSize = QPageSize::A4;
        d.orientation = QPageLayout::Portrait;
        d.margins = QMarginsF(10, 10, 10, 10);

        d.objects.push_back(
            rectangleObject(QStringLiteral("shpTitolo"), 1, 1, 188, 8, kRoyalBlue, kRoyalBlue));
        d.objects.push_back(textObject(QStringLiteral("txtTiratore"), 2, 2.2, 186, 6, {"Arial", 12, false},
                                       kWhite, kNoColour, Qt::AlignHCenter | Qt::AlignVCenter,
                                       QStringLiteral("Nome")));
        d.objects.push_back(pictureObject(QStringLiteral("imgLogo"), 1, 11, 188, 140));

        for (const FieldBox &b : fieldBoxes()) {
            const QString base = QString::fromLatin1(b.field).mid(3);
            const double capOffset = b.captionOffset >= 0 ? b.captionOffset : 1.0;
            const double capWidth = b.captionWidth >= 0 ? b.captionWidth : b.width - 2;
            const double valOffset = b.valueOffset >= 0 ? b.valueOffset : 1.4;
            const double valWidth = b.valueWidth >= 0 ? b.valueWidth : b.width - 2;
            d.objects.push_back(rectangleObject(QStringLiteral("shpTit") + base, b.left, b.top, b.width,
                                                kCaptionBarHeight, kRoyalBlue, kRoyalBlue));
            d.objects.push_back(textObject(QStringLiteral("tit") + base, b.left + 1, b.top + capOffset,
                                           capWidth, kCaptionHeight, {"Arial", 8, true}, kWhite, kNoColour,
                                           Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(b.caption)));
            d.objects.push_back(rectangleObject(QStringLiteral("shp") + base, b.left, b.top + kValueBoxTop,
                                                b.width, kValueBoxHeight, kNoColour, kBlack));
            d.objects.push_back(textObject(
                QString::fromLatin1(b.field), b.left + 1, b.top + kValueBoxTop + valOffset, valWidth,
                kValueHeight, {"Arial", 8, false}, kBlack, kNoColour, b.valueAlignment | Qt::AlignVCenter));
        }
        return d;
    }();
    return page;
}

bool fill(Reports::Report &report, const Member::Record &sheet, const QImage &photo, QString *error)
{
    report.setOrientation(QPageLayout::Portrait);
    if (!report.setPicture(QStringLiteral("imgLogo"), photo, error))
        return false;
    for (int i = 0; i < Member::kSheetFieldCount; ++i) {
        if (!report.setText(Member::fieldName(i), trimBlanks(sheet[i]), error))
            return false;
    }
    return true;
}

bool prepare(const Member::Record &sheet, const QImage &photo, Reports::PreparedReport *out, QString *error)
{
    Report report(design());
    report.setDocumentName(QStringLiteral("Scheda iscritto"));
    return fill(report, sheet, photo, error) && report.prepare(out, error);
}

} // namespace MemberSheetPage
