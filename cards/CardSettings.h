#pragma once

#include <QString>
#include <array>
#include <optional>

// Tesserini.ini in the program folder: the association's four texts printed on every card
// (section "Associazione") and how cards are printed: the top and left margins in millimetres
// (section "Margini Stampa") and the page orientation (section "Stampa Tesserino").
class CardSettings
{
public:
    // The association texts, in the order they are written.
    enum Line
    {
        Name,
        Address,
        Contacts,
        Notes,
        LineCount
    };
    using Association = std::array<QString, LineCount>;

    struct AssociationKey
    {
        const char *key;
        const char *defaultText; // what the card shows while the file holds nothing
    };
    static constexpr std::array<AssociationKey, LineCount> kAssociationKeys = {{
        {"Denominazione", "Denominazione Associazione"},
        {"Indirizzo", "Indirizzo"},
        {"Recapiti", "Recapiti"},
        {"Note", "Note"},
    }};

    enum class Orientation
    {
        Portrait,
        Landscape
    };

    static QString filePath();

    // The file's values; a missing file, section or key gives the defaults: each empty
    // association text its default text, each empty margin "0", and the portrait orientation
    // for anything but "Verticale" or "Orizzontale".
    static CardSettings load(const QString &path = filePath());

    // Writes the four association texts, trimmed, in one replacement of the file; the other
    // sections stay as they are. False, with the reason, when the file cannot be written (it is
    // then left as it was).
    bool saveAssociation(QString *error = nullptr, const QString &path = filePath()) const;
    // Writes the two margins, trimmed, and the orientation, in one replacement of the file.
    bool savePrintSettings(QString *error = nullptr, const QString &path = filePath()) const;

    static Association defaultAssociation();
    static QString orientationText(Orientation orientation); // "Verticale" or "Orizzontale"

    // A margin as the "-" and "+" buttons read it: a whole number, blanks around it allowed;
    // nothing for any other text.
    static std::optional<int> wholeMargin(const QString &text);
    // The margin one millimetre smaller or larger; nothing when the text is no whole number or the
    // result would no longer be one.
    static std::optional<QString> stepMargin(const QString &text, int step);
    // A margin as printing reads it: a decimal number of millimetres with a decimal comma (or
    // point), an optional sign and blanks around it; nothing for any other text.
    static std::optional<double> marginMillimetres(const QString &text);

    Association association = defaultAssociation();
    QString topMargin = QStringLiteral("0");
    QString leftMargin = QStringLiteral("0");
    Orientation orientation = Orientation::Portrait;
};
