#include "cards/CardSettings.h"

#include "common/IniFile.h"
#include "common/ProgramFolder.h"
#include "common/TextUtil.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace {

const QString kAssociationSection = QStringLiteral("Associazione");
const QString kMarginSection = QStringLiteral("Margini Stampa");
const QString kTopKey = QStringLiteral("Superiore");
const QString kLeftKey = QStringLiteral("Sinistro");
const QString kPrintSection = QStringLiteral("Stampa Tesserino");
const QString kOrientationKey = QStringLiteral("Orientamento");
const QString kPortrait = QStringLiteral("Verticale");
const QString kLandscape = QStringLiteral("Orizzontale");

QString marginOrZero(const QString &text)
{
    const QString t = trimBlanks(text);
    return t.isEmpty() ? QStringLiteral("0") : t;
}

} // namespace

QString CardSettings::filePath()
{
    return programFolder() + QStringLiteral("Tesserini.ini");
}

CardSettings::Association CardSettings::defaultAssociation()
{
    Association texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = QString::fromUtf8(kAssociationKeys[i].defaultText);
    return texts;
}

QString CardSettings::orientationText(Orientation orientation)
{
    return orientation == Orientation::Portrait ? kPortrait : kLandscape;
}

CardSettings CardSettings::load(const QString &path)
{
    const Ini::Snapshot file(path);
    CardSettings s;
    for (size_t i = 0; i < s.association.size(); ++i) {
        const QString text = file.read(kAssociationSection, QString::fromLatin1(kAssociationKeys[i].key));
        if (!trimBlanks(text).isEmpty())
            s.association[i] = text;
    }
    s.topMargin = marginOrZero(file.read(kMarginSection, kTopKey));
    s.leftMargin = marginOrZero(file.read(kMarginSection, kLeftKey));
    const QString orientation = trimBlanks(file.read(kPrintSection, kOrientationKey));
    if (orientation == kLandscape)
        s.orientation = Orientation::Landscape;
    return s;
}

bool CardSettings::saveAssociation(QString *error, const QString &path) const
{
    QList<Ini::Entry> entries;
    for (size_t i = 0; i < association.size(); ++i)
        entries.append(
            {kAssociationSection, QString::fromLatin1(kAssociationKeys[i].key), trimBlanks(association[i])});
    return Ini::write(path, entries, error);
}

bool CardSettings::savePrintSettings(QString *error, const QString &path) const
{
    const QString orientationValue = orientationText(orientation);
    return Ini::write(path,
                      {{kMarginSection, kTopKey, trimBlanks(topMargin)},
                       {kPrintSection, kOrientationKey, orientationValue},
                       {kMarginSection, kLeftKey, trimBlanks(leftMargin)},
                       {kPrintSection, kOrientationKey, orientationValue}},
                      error);
}

std::optional<int> CardSettings::wholeMargin(const QString &text)
{
    static const QRegularExpression whole(QStringLiteral("^[+-]?[0-9]+$"));
    const QString t = trimBlanks(text);
    if (!whole.match(t).hasMatch())
        return std::nullopt;
    bool ok = false;
    const int value = t.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<QString> CardSettings::stepMargin(const QString &text, int step)
{
    const std::optional<int> value = wholeMargin(text);
    if (!value)
        return std::nullopt;
    const qint64 next = qint64(*value) + step;
    if (next < std::numeric_limits<int>::min() || next > std::numeric_limits<int>::max())
        return std::nullopt;
    return QString::number(next);
}

std::optional<double> CardSettings::marginMillimetres(const QString &text)
{
    static const QRegularExpression decimal(QStringLiteral("^[+-]?([0-9]+([.,][0-9]*)?|[.,][0-9]+)$"));
    QString t = trimBlanks(text);
    if (!decimal.match(t).hasMatch())
        return std::nullopt;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}
