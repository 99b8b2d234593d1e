// The card window driven through its controls: browsing the member archive, the member search,
// the association texts and logo kept across visits, and its print and preview windows (their
// output caught before the print dialog).
#include "TestSupport.h"

#include "../members/MemberFixtures.h"
#include "ModalHelper.h"
#include "app/Application.h"
#include "app/TfrmAvvio.h"
#include "app/WindowRegistry.h"
#include "cards/CardPictures.h"
#include "cards/CardSettings.h"
#include "cards/TfrmAnteprimaTessera.h"
#include "cards/TfrmDatiEnte.h"
#include "cards/TfrmStampaTessera.h"
#include "cards/TfrmTessera.h"
#include "common/CallerContext.h"
#include "common/FileDialogs.h"
#include "common/HelpTopics.h"
#include "common/MsgBox.h"
#include "common/ProgramFolder.h"
#include "common/TfrmGuida.h"
#include "members/TfrmTrovaTiratori.h"
#include "records/MemberArchive.h"
#include "records/MemberPhoto.h"
#include "reports/Report.h"

#include <QAbstractItemModel>
#include <QImageReader>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using MsgBox::Kind;
using namespace MemberFixtures;

namespace {

const QString kEmpty = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kAccess = QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                                       "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                                       "installazione del programma.");
const QString kSettingsNotSaved =
    QStringLiteral("Attenzione: non è stato possibile salvare i dati dell'associazione nel file "
                   "Tesserini.ini.\n\r\n\rAccertarsi di possedere i privilegi di scrittura nella "
                   "cartella di installazione del programma.");
const QString kLogoNotSaved =
    QStringLiteral("Attenzione: non è stato possibile salvare il logo nel file Anagrafica/Logo.bmp.\n\r\n\r"
                   "Lo spazio sul disco è esaurito: liberare spazio e ripetere l'operazione.");
const QString kPrintFailed =
    QStringLiteral("Attenzione: la stampa non è andata a buon fine.\n\r\n\rAccertarsi che "
                   "la stampante sia configurata correttamente.");
const QString kPreviewFailed =
    QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa non è andata a buon fine.\n\r\n\r"
                   "Accertarsi che la stampante sia configurata correttamente.");
const QStringList kMemberLabels = {"txtTesserato", "txtCarica", "txtNumTessera", "txtDataRil",
                                   "txtDataScade"};
const QStringList kResetTexts = {"Cognome e nome Iscritto", "Attività sportiva", "Tessera n.", "GG/MM/AAAA",
                                 "GG/MM/AAAA"};
const QStringList kAssociationLabels = {"titAssociazione", "titSottotitolo01", "titSottotitolo02",
                                        "titAnnotazioni"};

Member::Record cardMember(const QString &name, int n)
{
    return member(name, {{Member::Attivita, QStringLiteral("Tiro a volo %1").arg(n)},
                         {Member::Tessera, QStringLiteral("T-%1").arg(n)},
                         {Member::InizioTes, QStringLiteral("1/2/2024")}, // shown as stored
                         {Member::FineTes, QStringLiteral("31/12/2024")},
                         {Member::CodFisc, QStringLiteral("not on the card")}});
}

QImage picture(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

bool allWhite(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            if (rgb.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

// The card's report as the print or preview window handed it on.
struct Output
{
    int calls = 0;
    Reports::Destination destination = Reports::Destination::Printer;
    Reports::PreparedReport report;
};

} // namespace

class TestCardWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TfrmTessera> m_card;
    QList<QPair<Kind, QString>> m_boxes;

    template <typename T = QWidget> T *child(const QString &name) const
    {
        T *c = m_card->findChild<T *>(name);
        if (!c)
            qWarning("no control %s", qPrintable(name));
        return c;
    }
    QString labelText(const QString &name) const { return child<QLabel>(name)->text(); }
    QStringList labelTexts(const QStringList &names) const
    {
        QStringList out;
        for (const QString &n : names)
            out.append(labelText(n));
        return out;
    }
    void click(const QString &name)
    {
        auto *b = child<QToolButton>(name);
        QVERIFY(b);
        b->click();
    }
    QStringList boxTexts() const
    {
        QStringList out;
        for (const auto &b : m_boxes)
            out.append(b.second);
        return out;
    }
    // The record at `position` on the card, reached with "first" and "next" as the user reaches it.
    void browseTo(int position)
    {
        click("cmdPrimo");
        for (int p = 1; p < position; ++p)
            click("cmdAvanti");
        QCOMPARE(m_card->position(), QString::number(position));
    }
    // The association texts typed in the association window that a click on them opens.
    void typeAssociation(const QStringList &typed)
    {
        auto ran = Modal::whenShown<TfrmDatiEnte>([&typed](TfrmDatiEnte *w) {
            const QStringList fields = {"txtAssociazione", "txtSottotitolo01", "txtSottotitolo02",
                                        "txtAnnotazioni"};
            for (int i = 0; i < fields.size(); ++i)
                w->findChild<QLineEdit *>(fields[i])->setText(typed[i]);
            w->findChild<QPushButton *>(QStringLiteral("btnApplica"))->click();
        });
        QTest::mouseClick(child("titSottotitolo02"), Qt::LeftButton);
        QVERIFY(*ran);
    }
    // The logo chosen with a click on it, the file dialog answered with a bitmap of `logo`.
    void chooseLogo(const QImage &logo)
    {
        const QString path = m_dir->filePath(QStringLiteral("logo_scelto.bmp"));
        QVERIFY(logo.save(path, "BMP"));
        FileDialogs::setTestHook([path](const FileDialogs::Request &) { return path; });
        QTest::mouseClick(child("imgLogo"), Qt::LeftButton);
        FileDialogs::setTestHook(nullptr);
    }
    // A new visit without the closing steps: the card reads its texts and logo again.
    void reopen()
    {
        m_card->hide();
        m_card->show();
    }
    // The print or preview window opened from the card, its output caught; `act` works the window.
    Output throughWindow(const QString &button, const std::function<void(QDialog *)> &act,
                         bool outputSucceeds = true)
    {
        Output out;
        Reports::setOutputHook([&out, outputSucceeds](const Reports::PreparedReport &report,
                                                      Reports::Destination destination, QString *) {
            ++out.calls;
            out.destination = destination;
            out.report = report;
            return outputSucceeds;
        });
        auto ran = Modal::whenShown<QDialog>(
            [act](QDialog *w) {
                act(w);
                if (w->isVisible())
                    w->reject();
            },
            10000,
            [](QDialog *w) {
                return qobject_cast<TfrmStampaTessera *>(w) || qobject_cast<TfrmAnteprimaTessera *>(w);
            });
        click(button);
        Reports::setOutputHook(nullptr);
        [&] { QVERIFY(*ran); }();
        return out;
    }

private slots:
    void initTestCase() { corvallaTestInit(); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        setProgramFolder(m_dir->path());
        m_boxes.clear();
        MsgBox::setTestHook([this](Kind kind, const QString &text) {
            m_boxes.append({kind, text});
            return kind == Kind::Confirmation ? MsgBox::Answer::Yes : MsgBox::Answer::Ok;
        });
        m_card = std::make_unique<TfrmTessera>();
        m_card->setMemberSearch(&openMemberSearch); // as the program gives it
        m_card->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_card.get()));
    }

    void cleanup()
    {
        m_card.reset();
        MsgBox::setTestHook(nullptr);
        FileDialogs::setTestHook(nullptr);
        Reports::setOutputHook(nullptr);
        Windows::clear();
    }

    // --- browsing --------------------------------------------------------------------------

    void browsingAnEmptyArchive_data()
    {
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("positionBefore");
        QTest::addColumn<bool>("message");
        QTest::addColumn<QString>("positionAfter");
        for (const bool exists : {false, true}) {
            const char *file = exists ? "empty file" : "no file";
            for (const char *button : {"cmdPrimo", "cmdUltimo", "cmdIndietro", "cmdAvanti"})
                QTest::addRow("%s, %s", file, button) << exists << button << "" << true << "";
        }
        QTest::newRow("previous on record 1: nothing") << true << "cmdIndietro"
                                                       << "1" << false << "1";
        QTest::newRow("previous from a stale position") << true << "cmdIndietro"
                                                        << "4" << true << "4";
        QTest::newRow("next from a stale position forgets it") << true << "cmdAvanti"
                                                               << "4" << true << "";
    }
    void browsingAnEmptyArchive()
    {
        QFETCH(bool, fileExists);
        QFETCH(QString, button);
        QFETCH(QString, positionBefore);
        QFETCH(bool, message);
        QFETCH(QString, positionAfter);
        if (fileExists)
            writeArchive({});
        child<QLabel>("lblPosizione")->setText(positionBefore);
        click(button);
        QCOMPARE(boxTexts(), message ? QStringList{kEmpty} : QStringList());
        if (message)
            QCOMPARE(m_boxes.first().first, Kind::Information);
        QCOMPARE(m_card->position(), positionAfter);
        QCOMPARE(labelTexts(kMemberLabels), kResetTexts);
        QVERIFY(QFile::exists(MemberArchive::filePath())); // created empty when missing
        QCOMPARE(QFileInfo(MemberArchive::filePath()).size(), 0);
    }

    void browsingAFullArchive_data()
    {
        QTest::addColumn<int>("from"); // 0: a reset card
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("to"); // 0: nothing happens
        QTest::addColumn<bool>("truncated");
        QTest::newRow("reset, next") << 0 << "cmdAvanti" << 1 << false;
        QTest::newRow("reset, previous") << 0 << "cmdIndietro" << 1 << false;
        QTest::newRow("reset, first") << 0 << "cmdPrimo" << 1 << false;
        QTest::newRow("reset, last") << 0 << "cmdUltimo" << 3 << false;
        QTest::newRow("1, next") << 1 << "cmdAvanti" << 2 << false;
        QTest::newRow("3, previous") << 3 << "cmdIndietro" << 2 << false;
        QTest::newRow("3, next at the end") << 3 << "cmdAvanti" << 0 << false;
        QTest::newRow("1, previous at the start") << 1 << "cmdIndietro" << 0 << false;
        QTest::newRow("2, first") << 2 << "cmdPrimo" << 1 << false;
        // A record cut short at the end of the file is no record.
        QTest::newRow("truncated, last") << 0 << "cmdUltimo" << 3 << true;
        QTest::newRow("truncated, next at the end") << 3 << "cmdAvanti" << 0 << true;
    }
    void browsingAFullArchive()
    {
        QFETCH(int, from);
        QFETCH(QString, button);
        QFETCH(int, to);
        QFETCH(bool, truncated);
        const QStringList names = {"  UNO  ", "DUE", "TRE"};
        QList<Member::Record> records;
        for (int i = 0; i < names.size(); ++i)
            records.append(cardMember(names[i], i + 1));
        writeArchive(records, truncated ? Member::encode(cardMember("QUATTRO", 4)).left(1000) : QByteArray());
        QVERIFY(MemberPhoto::save(picture(QSize(30, 40), Qt::blue), QStringLiteral("2")));
        writeFile(MemberArchive::photoPath(QStringLiteral("3")), "not a picture");
        if (from > 0)
            browseTo(from);
        child<QToolButton>("btnCancFoto")->click(); // a cleared photo comes back with the next record
        QCOMPARE(m_card->photo().size(), QSize(2, 2));

        click(button);
        QCOMPARE(boxTexts(), QStringList());
        if (to == 0) {
            QCOMPARE(m_card->position(), QString::number(from));
            QCOMPARE(m_card->photo().size(), QSize(2, 2));
            return;
        }
        QCOMPARE(m_card->position(), QString::number(to));
        QCOMPARE(labelTexts(kMemberLabels),
                 QStringList({names[to - 1].trimmed(), QStringLiteral("Tiro a volo %1").arg(to),
                              QStringLiteral("T-%1").arg(to), "1/2/2024", "31/12/2024"}));
        QCOMPARE(m_card->photo().size(), to == 2 ? QSize(30, 40) : CardPictures::kPhotoSize);
    }

    void resetAndUnreadableArchive()
    {
        writeArchive({cardMember("UNO", 1)});
        click("cmdPrimo");
        QCOMPARE(labelText("txtTesserato"), QStringLiteral("UNO"));
        click("cmdNuovo");
        QCOMPARE(labelTexts(kMemberLabels), kResetTexts);
        QCOMPARE(m_card->position(), QString());
        QCOMPARE(m_card->photo(), CardPictures::placeholderPhoto());

        click("cmdPrimo");
        // A program folder that cannot exist: its parent is a regular file.
        writeFile(m_dir->filePath(QStringLiteral("blocker")), "x");
        setProgramFolder(m_dir->filePath(QStringLiteral("blocker/Corvalla")));
        for (const char *button : {"cmdPrimo", "cmdUltimo", "cmdAvanti", "cmdIndietro"}) {
            m_boxes.clear();
            child<QLabel>("lblPosizione")->setText(QStringLiteral("2"));
            click(QLatin1String(button));
            QCOMPARE(boxTexts(), QStringList{kAccess});
            QCOMPARE(m_boxes.first().first, Kind::Error);
            QCOMPARE(labelText("txtTesserato"), QStringLiteral("UNO"));
        }
    }

    // The member search opened from the card with the context "tessera" puts the chosen member on
    // the card, photo included.
    void searchFillsTheCard()
    {
        writeArchive(
            {cardMember("ROSSI MARIO", 1), cardMember("VERDI ANNA", 2), cardMember("ROSSI LUCA", 3)});
        QVERIFY(MemberPhoto::save(picture(QSize(50, 60), Qt::red), QStringLiteral("3")));
        QPointer<TfrmTrovaTiratori> opened;
        auto ran = Modal::whenShown<TfrmTrovaTiratori>([&opened](TfrmTrovaTiratori *search) {
            opened = search;
            QCOMPARE(callerContext(search), QStringLiteral("tessera"));
            QTest::keyClicks(search->findChild<QLineEdit *>(QStringLiteral("txtTiratore")), "rossi");
            search->findChild<QPushButton *>(QStringLiteral("btnCerca"))->click();
            auto *list = search->findChild<QListView *>(QStringLiteral("lstRecords"));
            QCOMPARE(list->model()->rowCount(), 2);
            int row = 0;
            while (row < 2 && !list->model()->index(row, 0).data().toString().startsWith("ROSSI LUCA"))
                ++row;
            const QRect r = list->visualRect(list->model()->index(row, 0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
            if (search->isVisible())
                search->reject();
        });
        click("cmdTrova");
        QVERIFY(*ran);
        QVERIFY(!opened); // destroyed after use
        QCOMPARE(labelTexts(kMemberLabels),
                 QStringList({"ROSSI LUCA", "Tiro a volo 3", "T-3", "1/2/2024", "31/12/2024"}));
        QCOMPARE(m_card->position(), QStringLiteral("3"));
        QCOMPARE(m_card->photo().size(), QSize(50, 60));
        click("cmdIndietro");
        QCOMPARE(labelText("txtTesserato"), QStringLiteral("VERDI ANNA"));
    }

    // --- association texts and logo --------------------------------------------------------

    void associationTextsAcrossVisits_data()
    {
        QTest::addColumn<QByteArray>("file");      // Tesserini.ini before the visit
        QTest::addColumn<QStringList>("typed");    // typed into the association window (empty: none)
        QTest::addColumn<QStringList>("shown");    // the labels after the visit's changes
        QTest::addColumn<QByteArray>("stored");    // the file after closing
        QTest::addColumn<QStringList>("reopened"); // the labels on the next visit
        const QStringList defaults = {"Denominazione Associazione", "Indirizzo", "Recapiti", "Note"};
        const QByteArray storedDefaults = "[Associazione]\r\nDenominazione=Denominazione Associazione\r\n"
                                          "Indirizzo=Indirizzo\r\nRecapiti=Recapiti\r\nNote=Note\r\n";
        QTest::newRow("first start keeps the defaults")
            << QByteArray() << QStringList() << defaults << storedDefaults << defaults;
        QTest::newRow("typed texts are trimmed and kept")
            << QByteArray()
            << QStringList{"  A.S.D. Tiro à Segno ", "Via Roma 1", " Tel. 06 123", "Stagione 2024"}
            << QStringList{"A.S.D. Tiro à Segno", "Via Roma 1", "Tel. 06 123", "Stagione 2024"}
            << QByteArray("[Associazione]\r\nDenominazione=A.S.D. Tiro \xE0 Segno\r\nIndirizzo=Via Roma 1\r\n"
                          "Recapiti=Tel. 06 123\r\nNote=Stagione 2024\r\n")
            << QStringList{"A.S.D. Tiro à Segno", "Via Roma 1", "Tel. 06 123", "Stagione 2024"};
        QTest::newRow("an emptied text stays empty until the next visit")
            << QByteArray("[Associazione]\r\nDenominazione=Club\r\nIndirizzo=Via Po\r\n")
            << QStringList{"Club", "", "", ""} << QStringList{"Club", "", "", ""}
            << QByteArray("[Associazione]\r\nDenominazione=Club\r\nIndirizzo=\r\nRecapiti=\r\nNote=\r\n")
            << QStringList{"Club", "Indirizzo", "Recapiti", "Note"};
    }
    void associationTextsAcrossVisits()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, shown);
        QFETCH(QByteArray, stored);
        QFETCH(QStringList, reopened);
        if (!file.isEmpty()) {
            writeFile(CardSettings::filePath(), file);
            reopen();
            m_boxes.clear();
        }
        if (!typed.isEmpty())
            typeAssociation(typed);
        QCOMPARE(labelTexts(kAssociationLabels), shown);
        m_card->close();
        QCOMPARE(boxTexts(), QStringList());
        QCOMPARE(readAll(CardSettings::filePath()), stored);
        m_card->show();
        QCOMPARE(labelTexts(kAssociationLabels), reopened);
    }

    // The association window starts from the card's texts, goes round its fields with Enter and
    // hands its texts back to the target its opener gave only on "Applica e chiudi".
    void associationWindow_data()
    {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("applied");
        QTest::newRow("tessera, apply") << "tessera"
                                        << "btnApplica" << true;
        QTest::newRow("tessera, cancel") << "tessera"
                                         << "btnAnnulla" << false;
    }
    void associationWindow()
    {
        QFETCH(QString, context);
        QFETCH(QString, button);
        QFETCH(bool, applied);
        TfrmDatiEnte window;
        setCallerContext(&window, context);
        window.setTexts({"  Club  ", "Via Po", "", "Note"});
        int calls = 0;
        CardSettings::Association received;
        window.setTarget([&](const CardSettings::Association &texts) {
            ++calls;
            received = texts;
        });
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto *first = window.findChild<QLineEdit *>(QStringLiteral("txtAssociazione"));
        QCOMPARE(first->text(), QStringLiteral("Club"));
        QVERIFY(first->hasFocus());
        QVERIFY(window.findChild<QWidget *>(QStringLiteral("effAssociazione"))->isVisible());
        // Enter goes round the ring back to the first field.
        for (const char *next :
             {"txtSottotitolo01", "txtSottotitolo02", "txtAnnotazioni", "txtAssociazione"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(next));
        }
        QVERIFY(window.isVisible());
        QTest::keyClicks(window.findChild<QLineEdit *>(QStringLiteral("txtAnnotazioni")), "  2024 ");
        window.findChild<QPushButton *>(button)->click();
        QVERIFY(!window.isVisible());
        QCOMPARE(calls, applied ? 1 : 0);
        if (applied)
            QCOMPARE(received, (CardSettings::Association{"Club", "Via Po", "", "Note  2024"}));
    }

    void logoIsStoredAt119x118_data()
    {
        QTest::addColumn<QString>("chosen"); // file chosen with the logo picture; "" for none
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("cleared");
        QTest::addColumn<QColor>("colour"); // the stored picture's centre; invalid: the placeholder
        auto encoded = [](QSize size, QColor colour, const char *format) {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter(&buffer, format).write(picture(size, colour));
            return bytes;
        };
        QTest::newRow("first start stores the placeholder") << "" << QByteArray() << false << QColor();
        QTest::newRow("wide JPEG") << "logo.jpg" << encoded({640, 120}, Qt::red, "jpeg") << false
                                   << QColor(Qt::red);
        QTest::newRow("tiny bitmap") << "logo.bmp" << encoded({3, 5}, Qt::green, "bmp") << false
                                     << QColor(Qt::green);
        QTest::newRow("exact size") << "logo.bmp" << encoded({119, 118}, Qt::blue, "bmp") << false
                                    << QColor(Qt::blue);
        QTest::newRow("not a picture")
            << "logo.jpg" << QByteArray("GIF89a but not really") << false << QColor();
        QTest::newRow("cleared") << "" << QByteArray() << true << QColor(Qt::white);
        // A logo file spoilt on disk shows the placeholder, which never replaces the file.
        QTest::newRow("stored logo not a picture")
            << "Anagrafica/Logo.bmp" << QByteArray("BM not really") << false << QColor();
    }
    void logoIsStoredAt119x118()
    {
        QFETCH(QString, chosen);
        QFETCH(QByteArray, content);
        QFETCH(bool, cleared);
        QFETCH(QColor, colour);
        QCOMPARE(m_card->logo(), CardPictures::placeholderLogo()); // no logo file yet
        if (chosen.startsWith(QLatin1String("Anagrafica/"))) {
            writeFile(m_dir->filePath(chosen), content);
            reopen();
            QCOMPARE(m_card->logo(), CardPictures::placeholderLogo());
        } else if (!chosen.isEmpty()) {
            const QString path = m_dir->filePath(chosen);
            writeFile(path, content);
            FileDialogs::Request asked;
            FileDialogs::setTestHook([&](const FileDialogs::Request &r) {
                asked = r;
                return path;
            });
            QTest::mouseClick(child("imgLogo"), Qt::LeftButton);
            QCOMPARE(asked.title,
                     QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."));
            QCOMPARE(
                asked.filter,
                QStringLiteral("Immagine JPEG (*.jpg; *.jpeg)|*.jpg;*.jpeg|Immagine Bitmap (*.bmp)|*.bmp"));
        }
        if (cleared)
            click("btnCancLogo");
        if (!chosen.startsWith(QLatin1String("Anagrafica/")))
            QVERIFY(!QFile::exists(CardPictures::logoPath())); // nothing written before closing
        m_card->close();
        if (chosen.startsWith(QLatin1String("Anagrafica/"))) {
            QCOMPARE(readAll(CardPictures::logoPath()), content);
            return;
        }

        QImageReader reader(CardPictures::logoPath());
        QCOMPARE(reader.format(), QByteArray("bmp"));
        const QImage stored = reader.read();
        QCOMPARE(stored.size(), QSize(119, 118));
        if (!colour.isValid())
            QCOMPARE(stored.convertToFormat(QImage::Format_RGB32),
                     CardPictures::placeholderLogo().convertToFormat(QImage::Format_RGB32));
        else if (colour == Qt::white)
            QVERIFY(allWhite(stored));
        else
            QVERIFY(qAbs(qRed(stored.pixel(59, 59)) - colour.red()) < 8 &&
                    qAbs(qGreen(stored.pixel(59, 59)) - colour.green()) < 8 &&
                    qAbs(qBlue(stored.pixel(59, 59)) - colour.blue()) < 8);
        m_card->show();
        QCOMPARE(m_card->logo().size(), QSize(119, 118));
    }

    // Closing when nothing can be written: the texts' loss is reported in Italian, the logo file
    // and the settings file stay as they were, the main menu comes back.
    void closingWhenNothingCanBeWritten()
    {
        TfrmAvvio menu;
        Windows::add(&menu);
        Windows::add(m_card.get());
        Corvalla::connectWindowSet();
        const QByteArray settings = "[Associazione]\r\nDenominazione=Vecchia\r\n";
        writeFile(CardSettings::filePath(), settings);
        QVERIFY(!CardPictures::saveLogo(picture({40, 40}, Qt::darkGreen)).isNull());
        const QByteArray logo = readAll(CardPictures::logoPath());
        reopen();
        m_boxes.clear();
        typeAssociation({"Nuova", "Via", "Tel", "Note"});
        chooseLogo(picture({300, 200}, Qt::red));
        QCOMPARE(m_card->logo().size(), QSize(300, 200));
        {
            const FileSizeLimit refused(8); // not even root can write the file
            m_card->close();
        }
        QCOMPARE(boxTexts(), (QStringList{kSettingsNotSaved, kLogoNotSaved}));
        QCOMPARE(m_boxes.first().first, Kind::Error);
        QCOMPARE(m_boxes.last().first, Kind::Warning);
        QCOMPARE(readAll(CardSettings::filePath()), settings);
        QCOMPARE(readAll(CardPictures::logoPath()), logo);
        QCOMPARE(m_card->logo(), picture({300, 200}, Qt::red)); // the user's logo stays on show
        QVERIFY(menu.isVisible());
        QVERIFY(!m_card->isVisible());
        QCOMPARE(QDir(m_dir->filePath(QStringLiteral("Anagrafica"))).entryList(QDir::Files),
                 QStringList{"Logo.bmp"}); // no temporary file left behind
        // The next save, with room again, stores the user's logo, never the placeholder.
        m_card->saveLogo();
        QCOMPARE(CardPictures::loadLogo().pixelColor(60, 60), QColor(Qt::red));
    }

    // A logo that cannot be stored on a disk that filled up, when the card closes or before it is
    // previewed or printed: the user is warned, the logo file keeps the earlier logo, and the logo
    // chosen stays on show, where preview and print take it.
    void logoOnAFullDisk_data()
    {
        QTest::addColumn<QString>("button"); // what stores the logo; "" for closing the card
        QTest::addColumn<QStringList>("boxes");
        // The settings the card keeps in Tesserini.ini cannot be kept either, and say so.
        const QString marginsNotKept = QStringLiteral(
            "Attenzione: non è stato possibile memorizzare i margini e l'orientamento di stampa nel file "
            "Tesserini.ini.\n\r\n\rAccertarsi di possedere i privilegi di scrittura nella cartella di "
            "installazione del programma.");
        QTest::newRow("closing") << "" << QStringList{kSettingsNotSaved, kLogoNotSaved};
        QTest::newRow("preview") << "cmdAnteprima" << QStringList{kLogoNotSaved};
        QTest::newRow("print") << "cmdStampa" << QStringList{kLogoNotSaved, marginsNotKept};
    }
    void logoOnAFullDisk()
    {
        QFETCH(QString, button);
        QFETCH(QStringList, boxes);
        SmallDisk disk(256 * 1024);
        if (!disk.isMounted())
            QSKIP("this machine does not allow mounting a small disk");
        setProgramFolder(disk.path());
        QVERIFY(!CardPictures::saveLogo(picture({40, 40}, Qt::darkGreen)).isNull());
        const QByteArray logo = readAll(CardPictures::logoPath());
        reopen();
        chooseLogo(picture({300, 200}, Qt::red));
        QVERIFY(disk.fill());
        m_boxes.clear();
        if (button.isEmpty()) {
            m_card->close();
        } else {
            const Output out = throughWindow(button, [](QDialog *w) {
                QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("btnStampa")), Qt::LeftButton);
            });
            QCOMPARE(out.calls, 1);
            // The chosen logo (red, wider than high), not the stored one (dark green, 119 x 118).
            const QImage printed = out.report.find(0, "imgLogo")->picture;
            QVERIFY2(printed.width() > printed.height() * 4 / 3,
                     qPrintable(QStringLiteral("%1 x %2").arg(printed.width()).arg(printed.height())));
            QCOMPARE(printed.pixelColor(printed.width() / 2, printed.height() / 2), QColor(Qt::red));
        }
        QCOMPARE(boxTexts(), boxes);
        QCOMPARE(m_boxes[boxes.indexOf(kLogoNotSaved)].first, Kind::Warning);
        QCOMPARE(readAll(CardPictures::logoPath()), logo);
        QCOMPARE(QDir(disk.path() + QStringLiteral("Anagrafica")).entryList(QDir::Files),
                 QStringList{"Logo.bmp"});
        QCOMPARE(m_card->logo(), picture({300, 200}, Qt::red));
    }

    // --- windows opened from the card ------------------------------------------------------

    void tileOpensTheCardAndExitComesBack_data()
    {
        QTest::addColumn<QString>("tile");
        QTest::addColumn<QString>("exit");
        QTest::newRow("picture, exit button") << "imgApp02"
                                              << "imgEsci";
        QTest::newRow("caption, title bar") << "btnApp02"
                                            << "";
    }
    void tileOpensTheCardAndExitComesBack()
    {
        QFETCH(QString, tile);
        QFETCH(QString, exit);
        m_card->hide();
        TfrmAvvio menu;
        Windows::add(&menu);
        Windows::add(m_card.get());
        Corvalla::connectWindowSet();
        menu.show();
        writeArchive({cardMember("UNO", 1)});
        QTest::mouseClick(menu.findChild<QWidget *>(tile), Qt::LeftButton);
        QVERIFY(m_card->isVisible());
        QVERIFY(m_card->windowState() & Qt::WindowMaximized);
        QVERIFY(!menu.isVisible());
        QCOMPARE(m_card->windowTitle(), QStringLiteral(" Corvalla - Stampa Tessere"));
        QCOMPARE(child<QLabel>("panInfo")->text(),
                 QStringLiteral("Pronto per stampare una nuova tessera..."));
        click("cmdUltimo");
        if (exit.isEmpty())
            m_card->close();
        else
            click(exit);
        QVERIFY(menu.isVisible());
        QVERIFY(!m_card->isVisible());
        QTest::mouseClick(menu.findChild<QWidget *>(tile), Qt::LeftButton);
        QCOMPARE(m_card->position(), QString()); // every visit starts from a reset card
    }

    void oneUseWindows_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QByteArray>("window");
        QTest::newRow("search") << "cmdTrova" << QByteArray("TfrmTrovaTiratori");
        QTest::newRow("preview") << "cmdAnteprima" << QByteArray("TfrmAnteprimaTessera");
        QTest::newRow("print") << "cmdStampa" << QByteArray("TfrmStampaTessera");
        QTest::newRow("association") << "titAnnotazioni" << QByteArray("TfrmDatiEnte");
        QTest::newRow("help") << "imgGuida" << QByteArray("TfrmGuida");
    }
    void oneUseWindows()
    {
        QFETCH(QString, control);
        QFETCH(QByteArray, window);
        QPointer<QWidget> opened;
        QByteArray seen;
        QString title;
        auto ran = Modal::whenShown<QDialog>([&](QDialog *w) {
            opened = w;
            seen = w->metaObject()->className();
            if (auto *help = qobject_cast<TfrmGuida *>(w))
                title = help->findChild<QLabel *>(QStringLiteral("lblTitolo"))->text();
            QCOMPARE(w->parentWidget(), m_card.get());
            w->reject();
        });
        QWidget *c = child(control);
        if (auto *b = qobject_cast<QToolButton *>(c))
            b->click();
        else
            QTest::mouseClick(c, Qt::LeftButton);
        QVERIFY(*ran);
        QCOMPARE(seen, window);
        QVERIFY(!opened);
        if (window == "TfrmGuida")
            QCOMPARE(title, QStringLiteral("App Stampa Tessere"));
    }

    // Print and preview take what the card shows at that moment, and the logo is stored first.
    void printAndPreviewTakeTheCardOnShow_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("preview");
        QTest::addColumn<double>("notesTop");
        QTest::newRow("print") << "cmdStampa" << false << 58.0;
        QTest::newRow("preview") << "cmdAnteprima" << true << 58.2;
    }
    void printAndPreviewTakeTheCardOnShow()
    {
        QFETCH(QString, button);
        QFETCH(bool, preview);
        QFETCH(double, notesTop);
        writeArchive({cardMember(" ROSSI [MARIO] ", 1)});
        click("cmdPrimo");
        typeAssociation({" Club ", "Via Po 1", "Tel. 06", "Anno 2024"});
        chooseLogo(picture({400, 100}, Qt::red));
        click("btnCancFoto");

        const Output out = throughWindow(button, [](QDialog *w) {
            QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("btnStampa")), Qt::LeftButton);
        });
        QCOMPARE(out.calls, 1);
        QCOMPARE(out.destination, preview ? Reports::Destination::Preview : Reports::Destination::Printer);
        QCOMPARE(boxTexts(), QStringList());
        QVERIFY(QFile::exists(CardPictures::logoPath()));
        QCOMPARE(m_card->logo().size(), QSize(119, 118));

        const Reports::PreparedReport &r = out.report;
        QCOMPARE(r.documentName, QStringLiteral("Tesserino"));
        QCOMPARE(r.pages.size(), 1);
        QCOMPARE(r.orientation, QPageLayout::Portrait);
        const QList<QPair<QString, QString>> texts = {
            {"txtAssociazione", "Club"},       {"txtSottotitolo01", "Via Po 1"},
            {"txtSottotitolo02", "Tel. 06"},   {"txtAnnotazioni", "Anno 2024"},
            {"txtTesserato", "ROSSI [MARIO]"}, {"txtCarica", "Tiro a volo 1"},
            {"txtNumTessera", "T-1"},          {"txtDataRil", "1/2/2024"},
            {"txtDataScade", "31/12/2024"},    {"titDataRil", "Data rilascio:"},
            {"titDataScade", "Data scadenza:"}};
        for (const auto &t : texts) {
            const Reports::PlacedObject *o = r.find(0, t.first);
            QVERIFY2(o, qPrintable(t.first));
            QCOMPARE(o->design.text, t.second);
        }
        QCOMPARE(r.find(0, "shpSfondo")->box, QRectF(10, 10, 86, 54));
        QCOMPARE(r.find(0, "txtAnnotazioni")->box.top(), notesTop);
        QCOMPARE(r.find(0, "imgLogo")->picture.size(), QSize(119, 118));
        QCOMPARE(r.find(0, "imgFoto")->picture.size(), QSize(2, 2)); // the cleared photo prints white
        QVERIFY(allWhite(r.find(0, "imgFoto")->picture));
    }

    void printSettingsAreKeptOnlyWhenPrinting_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("presses"); // buttons pressed in the print window
        QTest::addColumn<QString>("finish");      // btnStampa or btnAnnulla
        QTest::addColumn<bool>("printed");        // the printer takes the page
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QRectF>("outline");
        QTest::addColumn<bool>("landscape");
        const QByteArray stored = "[Margini Stampa]\r\nSuperiore=1\r\nSinistro=0\r\n";
        QTest::newRow("no file, print: defaults written")
            << QByteArray() << QStringList() << "btnStampa" << true
            << QByteArray("[Margini Stampa]\r\nSuperiore=0\r\nSinistro=0\r\n[Stampa Tesserino]\r\n"
                          "Orientamento=Verticale\r\n")
            << QRectF(10, 10, 86, 54) << false;
        QTest::newRow("three times - from 1, landscape, print")
            << stored
            << QStringList{"btnTopMinus", "btnTopMinus", "btnTopMinus", "btnLeftPlus", "optOrizzontale"}
            << "btnStampa" << true
            << QByteArray("[Margini Stampa]\r\nSuperiore=-2\r\nSinistro=1\r\n[Stampa Tesserino]\r\n"
                          "Orientamento=Orizzontale\r\n")
            << QRectF(11, 8, 86, 54) << true;
        QTest::newRow("cancel keeps nothing")
            << stored << QStringList{"btnTopPlus", "btnLeftPlus", "optOrizzontale"} << "btnAnnulla" << false
            << stored << QRectF() << false;
        QTest::newRow("a failed print keeps the settings")
            << stored << QStringList{"btnLeftMinus", "btnLeftMinus"} << "btnStampa" << false
            << QByteArray("[Margini Stampa]\r\nSuperiore=1\r\nSinistro=-2\r\n[Stampa Tesserino]\r\n"
                          "Orientamento=Verticale\r\n")
            << QRectF(8, 11, 86, 54) << false;
        QTest::newRow("decimal margins from the file print as they are")
            << QByteArray("[Margini Stampa]\r\nSuperiore=2,5\r\nSinistro=-0.5\r\n") << QStringList()
            << "btnStampa" << true
            << QByteArray("[Margini Stampa]\r\nSuperiore=2,5\r\nSinistro=-0.5\r\n[Stampa Tesserino]\r\n"
                          "Orientamento=Verticale\r\n")
            << QRectF(9.5, 12.5, 86, 54) << false;
        QTest::newRow("a very large margin puts the card off the page")
            << QByteArray("[Margini Stampa]\r\nSuperiore=100000\r\nSinistro=0\r\n") << QStringList()
            << "btnStampa" << true
            << QByteArray("[Margini Stampa]\r\nSuperiore=100000\r\nSinistro=0\r\n[Stampa Tesserino]\r\n"
                          "Orientamento=Verticale\r\n")
            << QRectF(10, 1010, 86, 54) << false;
    }
    void printSettingsAreKeptOnlyWhenPrinting()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, presses);
        QFETCH(QString, finish);
        QFETCH(bool, printed);
        QFETCH(QByteArray, after);
        QFETCH(QRectF, outline);
        QFETCH(bool, landscape);
        if (!file.isEmpty())
            writeFile(CardSettings::filePath(), file);
        const bool printing = finish == QLatin1String("btnStampa");
        const Output out = throughWindow(
            "cmdStampa",
            [&](QDialog *w) {
                for (const QString &p : presses)
                    QTest::mouseClick(w->findChild<QAbstractButton *>(p), Qt::LeftButton);
                QTest::mouseClick(w->findChild<QPushButton *>(finish), Qt::LeftButton);
                QVERIFY(!w->isVisible());
            },
            printed);
        QCOMPARE(out.calls, printing ? 1 : 0);
        QCOMPARE(boxTexts(), printing && !printed ? QStringList{kPrintFailed} : QStringList());
        const QByteArray association = "[Associazione]\r\n"; // written by the card at its close only
        QVERIFY(!readAll(CardSettings::filePath()).contains(association));
        QCOMPARE(readAll(CardSettings::filePath()), after);
        if (printing) {
            QCOMPARE(out.report.orientation, landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
            QCOMPARE(out.report.find(0, "shpSfondo")->box, outline);
        }
    }

    // Settings that cannot be kept are reported; the card still prints.
    void printSettingsThatCannotBeKept()
    {
        const QString notKept = QStringLiteral(
            "Attenzione: non è stato possibile memorizzare i margini e l'orientamento di stampa nel file "
            "Tesserini.ini.\n\r\n\rAccertarsi di possedere i privilegi di scrittura nella cartella di "
            "installazione del programma.");
        std::unique_ptr<FileSizeLimit> refused;
        const Output out = throughWindow("cmdStampa", [&](QDialog *w) {
            QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("btnTopPlus")), Qt::LeftButton);
            refused = std::make_unique<FileSizeLimit>(8);
            QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("btnStampa")), Qt::LeftButton);
            refused.reset();
        });
        QCOMPARE(boxTexts(), QStringList{notKept});
        QCOMPARE(m_boxes.first().first, Kind::Warning);
        QCOMPARE(out.calls, 1);
        QCOMPARE(out.report.find(0, "shpSfondo")->box, QRectF(10, 11, 86, 54));
        QVERIFY(!QFile::exists(CardSettings::filePath()));
    }

    // A margin lengthened by hand in Tesserini.ini shows whole in its field.
    void longMarginFromTheFileShowsWhole()
    {
        writeFile(CardSettings::filePath(),
                  "[Margini Stampa]\r\nSuperiore=9999999999999\r\nSinistro=-888888888888\r\n");
        QStringList cut;
        throughWindow("cmdStampa", [&](QDialog *w) {
            for (const char *name : {"txtTop", "txtLeft"}) {
                auto *field = w->findChild<QLineEdit *>(QLatin1String(name));
                const int room = field->contentsRect().width() - field->textMargins().left() -
                                 field->textMargins().right();
                if (field->fontMetrics().horizontalAdvance(field->text()) > room - 4)
                    cut << field->text();
            }
            w->reject();
        });
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char(','))));
    }

    // A margin spoilt by hand in Tesserini.ini: "-" and "+" report a conversion error and leave
    // it, printing gives the print warning without printing.
    void nonNumericMarginFromTheFile()
    {
        writeFile(CardSettings::filePath(), "[Margini Stampa]\r\nSuperiore=abc\r\nSinistro=4\r\n");
        QString shown;
        const Output out = throughWindow("cmdStampa", [&](QDialog *w) {
            auto *top = w->findChild<QLineEdit *>(QStringLiteral("txtTop"));
            shown = top->text();
            QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("btnTopPlus")), Qt::LeftButton);
            QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("btnTopMinus")), Qt::LeftButton);
            QCOMPARE(top->text(), QStringLiteral("abc"));
            QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("btnLeftPlus")), Qt::LeftButton);
            QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("btnStampa")), Qt::LeftButton);
        });
        QCOMPARE(shown, QStringLiteral("abc"));
        QCOMPARE(out.calls, 0);
        const QString conversion = QStringLiteral("'abc' non è un valore intero valido.");
        QCOMPARE(boxTexts(), (QStringList{conversion, conversion, kPrintFailed}));
        QCOMPARE(m_boxes[0].first, Kind::Error);
        QCOMPARE(m_boxes[2].first, Kind::Warning);
        QCOMPARE(readAll(CardSettings::filePath()),
                 QByteArray("[Margini Stampa]\r\nSuperiore=abc\r\nSinistro=5\r\n[Stampa Tesserino]\r\n"
                            "Orientamento=Verticale\r\n"));
    }

    // The preview is always a portrait page without margins, whatever the print settings; a
    // failure of the preview gives its own warning.
    void previewIgnoresThePrintSettings_data()
    {
        QTest::addColumn<bool>("succeeds");
        QTest::newRow("shown") << true;
        QTest::newRow("failed") << false;
    }
    void previewIgnoresThePrintSettings()
    {
        QFETCH(bool, succeeds);
        const QByteArray file = "[Margini Stampa]\r\nSuperiore=7\r\nSinistro=abc\r\n[Stampa Tesserino]\r\n"
                                "Orientamento=Orizzontale\r\n";
        writeFile(CardSettings::filePath(), file);
        const Output out = throughWindow(
            "cmdAnteprima",
            [](QDialog *w) {
                QCOMPARE(w->windowTitle(), QStringLiteral(" Anteprima di stampa"));
                QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("btnStampa")), Qt::LeftButton);
                QVERIFY(!w->isVisible());
            },
            succeeds);
        QCOMPARE(out.calls, 1);
        QCOMPARE(out.report.orientation, QPageLayout::Portrait);
        QCOMPARE(out.report.find(0, "shpSfondo")->box, QRectF(10, 10, 86, 54));
        QCOMPARE(out.report.find(0, "txtTesserato")->design.text, QStringLiteral("Cognome e nome Iscritto"));
        QCOMPARE(boxTexts(), succeeds ? QStringList() : QStringList{kPreviewFailed});
        QCOMPARE(readAll(CardSettings::filePath()), file);
    }

    void busyTextShowsWhenTheButtonGoesDown_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("print") << "cmdStampa";
        QTest::newRow("preview") << "cmdAnteprima";
    }
    void busyTextShowsWhenTheButtonGoesDown()
    {
        QFETCH(QString, button);
        throughWindow(button, [](QDialog *w) {
            auto *busy = w->findChild<QLabel *>(QStringLiteral("lblAttendere"));
            QCOMPARE(busy->text(), QStringLiteral("Elaborazione in corso. Attendere..."));
            QVERIFY(busy->isHidden());
            QTest::mousePress(w->findChild<QPushButton *>(QStringLiteral("btnStampa")), Qt::LeftButton);
            QVERIFY(!busy->isHidden());
        });
    }
};

QTEST_MAIN(TestCardWindow)
#include "tst_cardwindow.moc"
