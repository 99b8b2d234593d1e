#include "MemberFixtures.h"
#include "ModalHelper.h"
#include "TestSupport.h"

#include "app/Application.h"
#include "app/TfrmAvvio.h"
#include "app/WindowRegistry.h"
#include "common/CallerContext.h"
#include "common/FieldConventions.h"
#include "common/FileDialogs.h"
#include "common/MsgBox.h"
#include "common/OpenURL.h"
#include "common/ProgramFolder.h"
#include "members/TfrmTiratori.h"
#include "records/MemberArchive.h"
#include "records/MemberPhoto.h"

#include <QCalendarWidget>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using MsgBox::Kind;

namespace {

const QString kAccess = QStringLiteral("Attenzione: il sistema non permette di accedere "
                                       "all'archivio.\n\r\n\rAccertarsi di possedere i privilegi di "
                                       "scrittura nella cartella di installazione del programma.");
const QString kInserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kUpdated =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kEmpty = QStringLiteral("L'archivio non contiene nessuna scheda.");

struct Box
{
    Kind kind;
    QString text;
};

QString today()
{
    return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
}

// Runs `answer` on the next modal window that is not a message box, once it is on screen.
void onModal(std::function<void(QWidget *)> answer)
{
    Modal::whenShown<QWidget>(std::move(answer), 30000,
                              [](QWidget *modal) { return !qobject_cast<QMessageBox *>(modal); });
}

// Where each entry field of the member sheet lies in a stored record: the offset of its length
// byte and its width, the text bytes following the length byte. Written out here, not taken from
// the program's layout table, so that a field put in another field's place shows.
struct StoredField
{
    const char *name;
    int offset;
    int width;
};
constexpr int kStoredRecordSize = 3189;
const StoredField kStoredFields[] = {
    {"txtTiratore", 0, 50},      {"txtSesso", 51, 1},        {"txtDataNasc", 53, 10},
    {"txtCittadinanza", 64, 50}, {"txtLuogoNasc", 115, 50},  {"txtIndirizzo", 166, 120},
    {"txtCitta", 287, 50},       {"txtCap", 338, 10},        {"txtNazione", 349, 50},
    {"txtCodFisc", 400, 16},     {"txtGruppo", 417, 50},     {"txtProfessione", 468, 120},
    {"txtStudio", 589, 120},     {"txtEnte", 710, 120},      {"txtEmail", 831, 50},
    {"txtTel", 882, 30},         {"txtCel", 913, 30},        {"txtTessera", 944, 50},
    {"txtQuota", 995, 50},       {"txtInizioTes", 1046, 10}, {"txtFineTes", 1057, 10},
    {"txtArmi", 1068, 50},       {"txtPorto", 1119, 50},     {"txtInizioPor", 1170, 10},
    {"txtFinePor", 1181, 250},   {"txtNote", 1432, 250},
};

// The text of a stored field. The tests store only letters that Windows-1252 and Latin-1 give the
// same code, so the bytes read as Latin-1.
QString storedText(const QByteArray &record, const StoredField &field)
{
    const int length = quint8(record.at(field.offset));
    if (length > field.width)
        return QStringLiteral("<length %1 over the width>").arg(length);
    return QString::fromLatin1(record.mid(field.offset + 1, length));
}

Member::Record named(const QString &name)
{
    Member::Record r;
    r[Member::Tiratore] = name;
    r[Member::Tessera] = name + QStringLiteral("-T");
    return r;
}

} // namespace

class TestMemberSheet : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TfrmTiratori> m_sheet;
    QList<Box> m_boxes;

    TfrmTiratori *sheet() { return m_sheet.get(); }
    QLineEdit *f(const char *name) { return m_sheet->field(QLatin1String(name)); }
    QString text(const char *name) { return f(name)->text(); }
    QString position() { return m_sheet->position(); }
    void click(const char *name)
    {
        auto *b = m_sheet->findChild<QToolButton *>(QLatin1String(name));
        QVERIFY2(b, name);
        b->click();
    }
    QString lastBox(Kind kind)
    {
        if (m_boxes.isEmpty() || m_boxes.last().kind != kind)
            return QStringLiteral("<no box of that kind>");
        return m_boxes.last().text;
    }

    void fillRequired()
    {
        f("txtTiratore")->setText(QStringLiteral("ROSSI MARIO"));
        f("txtStudio")->setText(QStringLiteral("31/12/2025"));
        f("txtEnte")->setText(QStringLiteral("TIRO A VOLO"));
        f("txtTessera")->setText(QStringLiteral("A123"));
        f("txtQuota")->setText(QStringLiteral("30,00"));
        f("txtInizioTes")->setText(QStringLiteral("01/01/2025"));
        f("txtFineTes")->setText(QStringLiteral("31/12/2025"));
    }

    QByteArray archiveBytes() { return readAll(MemberArchive::filePath()); }
    // The stored field as it lies in the file: length byte, then the text bytes.
    QByteArray stored(int record, Member::Field field)
    {
        const QByteArray bytes = archiveBytes();
        const FieldSpec &s = Member::kFields[size_t(field)].layout;
        const qsizetype at = qsizetype(record) * Member::kRecordSize + s.offset;
        if (at >= bytes.size())
            return QByteArray("<missing>");
        return bytes.mid(at, 1 + quint8(bytes.at(at)));
    }

    // The record at `position` on show, reached with "first" and "next" as the user reaches it.
    void browseTo(int position)
    {
        click("cmdPrimo");
        for (int p = 1; p < position; ++p)
            click("cmdAvanti");
        QCOMPARE(this->position(), QString::number(position));
    }

    void saveExpecting(Kind kind, const QString &message)
    {
        m_boxes.clear();
        click("cmdSalva");
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(lastBox(kind), message);
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
        m_sheet = std::make_unique<TfrmTiratori>();
        m_sheet->show();
        m_sheet->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_sheet.get()));
    }

    void cleanup()
    {
        m_sheet.reset();
        MsgBox::setTestHook(nullptr);
        FileDialogs::setTestHook(nullptr);
        TMisc::setTestHook(nullptr);
        Windows::clear();
    }

    void openingShowsAnEmptySheet()
    {
        QCOMPARE(sheet()->windowTitle(), QStringLiteral(" Corvalla - Archivio Iscritti"));
        QVERIFY(sheet()->windowState() & Qt::WindowMaximized);
        QCOMPARE(text("txtTiratore"), QString());
        QCOMPARE(text("txtQuota"), QStringLiteral("0,00"));
        QCOMPARE(position(), QString());
        QCOMPARE(sheet()->photo(), MemberPhoto::placeholder());
        QCOMPARE(QApplication::focusWidget(), f("txtTiratore"));
        QCOMPARE(sheet()->findChild<QLabel *>(QStringLiteral("panInfo"))->text(),
                 QStringLiteral("Pronto per archiviare una nuova scheda..."));
        // Opening reads nothing: no archive file yet.
        QVERIFY(!QFile::exists(MemberArchive::filePath()));
        for (int i = 0; i < Member::kSheetFieldCount; ++i) {
            const auto &info = Member::kFields[size_t(i)];
            QCOMPARE(sheet()->field(Member::fieldName(i))->maxLength(), info.layout.width);
        }
    }

    void saveAppendsThenUpdatesInPlace()
    {
        fillRequired();
        f("txtCitta")->setText(QStringLiteral("Forlì"));
        // The fee is still being typed when Save is clicked: leaving the field normalises it first.
        f("txtQuota")->setFocus();
        f("txtQuota")->clear();
        QTest::keyClicks(f("txtQuota"), QStringLiteral("25"));
        saveExpecting(Kind::Information, kInserted);

        QCOMPARE(archiveBytes().size(), Member::kRecordSize);
        QCOMPARE(stored(0, Member::Tiratore), QByteArray("\x0bROSSI MARIO"));
        QCOMPARE(stored(0, Member::Quota), QByteArray("\x05"
                                                      "25,00"));
        QCOMPARE(stored(0, Member::Citta), QByteArray("\x05"
                                                      "Forl\xec"));
        QCOMPARE(stored(0, Member::Note), QByteArray("\x00", 1));
        QCOMPARE(text("txtQuota"), QStringLiteral("25,00"));
        QCOMPARE(position(), QStringLiteral("1"));
        QVERIFY(QFile::exists(MemberArchive::photoPath(QStringLiteral("1"))));
        QCOMPARE(sheet()->focusWidget(), f("txtQuota"));

        f("txtNote")->setText(QStringLiteral("Socio fondatore"));
        saveExpecting(Kind::Information, kUpdated);
        QCOMPARE(archiveBytes().size(), Member::kRecordSize);
        QCOMPARE(stored(0, Member::Note), QByteArray("\x0fSocio fondatore"));
        QCOMPARE(position(), QStringLiteral("1"));
    }

    // Every one of the 26 fields typed with a text of its own, the three dates chosen in the picker:
    // the saved record holds each text at its field's place, as the sheet shows it.
    void everyFieldIsStoredAtItsPlace()
    {
        struct Typed
        {
            const char *field;
            QString typed; // empty: a date chosen in the picker
            QString stored;
        };
        const QList<Typed> sheetTexts = {
            {"txtTiratore", QStringLiteral("Ferri Niccolò"), QStringLiteral("Ferri Niccolò")},
            {"txtSesso", QStringLiteral("f"), QStringLiteral("F")},
            {"txtDataNasc", QStringLiteral("14/05/1980"), QStringLiteral("14/05/1980")},
            {"txtCittadinanza", QStringLiteral("Italiana"), QStringLiteral("Italiana")},
            {"txtLuogoNasc", QStringLiteral("Forlì"), QStringLiteral("Forlì")},
            {"txtIndirizzo", QStringLiteral("Via dell'Unità d'Italia, 12"),
             QStringLiteral("Via dell'Unità d'Italia, 12")},
            {"txtCitta", QStringLiteral("Cesena"), QStringLiteral("Cesena")},
            {"txtCap", QStringLiteral("47521"), QStringLiteral("47521")},
            {"txtNazione", QStringLiteral("Italia"), QStringLiteral("Italia")},
            {"txtCodFisc", QStringLiteral("frrncc80e14d704x"), QStringLiteral("FRRNCC80E14D704X")},
            {"txtGruppo", QStringLiteral("0 Rh+"), QStringLiteral("0 Rh+")},
            {"txtProfessione", QStringLiteral("Geometra"), QStringLiteral("Geometra")},
            {"txtStudio", QString(), QStringLiteral("03/02/2025")},
            {"txtEnte", QStringLiteral("Tiro a segno"), QStringLiteral("Tiro a segno")},
            {"txtEmail", QStringLiteral(" n.ferri@posta.it "), QStringLiteral("n.ferri@posta.it")},
            {"txtTel", QStringLiteral("0547 123456"), QStringLiteral("0547 123456")},
            {"txtCel", QStringLiteral("333 7654321"), QStringLiteral("333 7654321")},
            {"txtTessera", QStringLiteral("T-2025/017"), QStringLiteral("T-2025/017")},
            {"txtQuota", QStringLiteral("35,5"), QStringLiteral("35,50")},
            {"txtInizioTes", QString(), QStringLiteral("10/01/2025")},
            {"txtFineTes", QString(), QStringLiteral("31/12/2025")},
            {"txtArmi", QStringLiteral("Ferri Luca"), QStringLiteral("Ferri Luca")},
            {"txtPorto", QStringLiteral("Ravenna"), QStringLiteral("Ravenna")},
            {"txtInizioPor", QStringLiteral("12/07/2012"), QStringLiteral("12/07/2012")},
            {"txtFinePor", QStringLiteral("Via Emilia 5"), QStringLiteral("Via Emilia 5")},
            {"txtNote", QStringLiteral("Socio dal 2010"), QStringLiteral("Socio dal 2010")},
        };
        for (const Typed &t : sheetTexts) {
            QLineEdit *edit = f(t.field);
            QTest::mouseClick(edit, Qt::LeftButton);
            edit->clear();
            if (!t.typed.isEmpty()) {
                typeKeys(edit, t.typed);
                continue;
            }
            const QDate date = QDate::fromString(t.stored, QStringLiteral("dd/MM/yyyy"));
            onModal([date](QWidget *picker) {
                picker->findChild<QCalendarWidget *>()->setSelectedDate(date);
                picker->findChild<QPushButton *>(QStringLiteral("btnImportaData"))->click();
            });
            QTest::keyClick(edit, Qt::Key_5);
            QCOMPARE(edit->text(), t.stored);
            // The offscreen platform leaves no window active once the picker has closed, and no
            // field of an inactive window sees the focus leave it.
            sheet()->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(sheet()));
        }
        saveExpecting(Kind::Information, kInserted);

        const QByteArray bytes = archiveBytes();
        QCOMPARE(bytes.size(), kStoredRecordSize);
        QCOMPARE(std::size(kStoredFields), size_t(sheetTexts.size()));
        for (qsizetype i = 0; i < sheetTexts.size(); ++i) {
            QCOMPARE(QByteArray(kStoredFields[i].name), QByteArray(sheetTexts[i].field));
            QCOMPARE(storedText(bytes, kStoredFields[i]), sheetTexts[i].stored);
        }
    }

    // A save that cannot be written: nothing is written and the message names the fix. On a small
    // disk that fills up or under a file-size limit, an update in place (which needs room for its
    // journal) and a new record both say that the disk is full rather than sending the user after
    // privileges; a read-only archive asks for the privileges. Once the cause is gone, the same save
    // goes through.
    void saveThatCannotBeWritten_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<int>("record"); // the position on show; 0: a new record
        QTest::addColumn<QString>("message");
        const QString full =
            QStringLiteral("Attenzione: il sistema non permette di salvare i dati in archivio."
                           "\n\r\n\rLo spazio sul disco è esaurito: liberare spazio e "
                           "ripetere il salvataggio.");
        QTest::newRow("update, small disk") << "small disk" << 2 << full;
        QTest::newRow("new record, small disk") << "small disk" << 0 << full;
        QTest::newRow("new record, file-size limit") << "size limit" << 0 << full;
        QTest::newRow("update, read-only archive") << "read-only" << 2 << kAccess;
        QTest::newRow("new record, read-only archive") << "read-only" << 0 << kAccess;
    }
    void saveThatCannotBeWritten()
    {
        QFETCH(QString, cause);
        QFETCH(int, record);
        QFETCH(QString, message);
        SmallDisk disk(128 * 1024);
        if (cause == QLatin1String("small disk")) {
            if (!disk.isMounted())
                QSKIP("this machine does not allow mounting a small disk");
            setProgramFolder(disk.path());
        }
        for (const char *n : {"UNO", "DUE"})
            QVERIFY(MemberArchive::append(named(QLatin1String(n))) >= 0);
        const QByteArray before = archiveBytes();
        if (record > 0)
            browseTo(record);
        fillRequired();
        f("txtNote")->setText(QStringLiteral("non ancora salvata"));
        const QFile::Permissions writable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        if (cause == QLatin1String("small disk")) {
            QVERIFY(disk.fill());
            saveExpecting(Kind::Error, message);
            QFile::remove(disk.path() + QStringLiteral("riempitivo"));
        } else if (cause == QLatin1String("size limit")) {
            const FileSizeLimit limit(before.size());
            saveExpecting(Kind::Error, message);
        } else {
            const FilePermissionsEnforced enforced;
            QVERIFY(QFile::setPermissions(MemberArchive::filePath(), QFile::ReadOwner));
            QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner));
            saveExpecting(Kind::Error, message);
            QVERIFY(QFile::setPermissions(m_dir->path(), writable));
            QVERIFY(QFile::setPermissions(MemberArchive::filePath(), writable));
        }
        QCOMPARE(archiveBytes(), before);
        QCOMPARE(position(), record > 0 ? QString::number(record) : QString());
        QCOMPARE(text("txtNote"), QStringLiteral("non ancora salvata"));

        saveExpecting(Kind::Information, record > 0 ? kUpdated : kInserted);
        QCOMPARE(stored(record > 0 ? record - 1 : 2, Member::Note), QByteArray("\x12non ancora salvata"));
    }

    void saveOverAnotherRecordRewritesOnlyIt()
    {
        for (const char *n : {"UNO", "DUE", "TRE"})
            QVERIFY(MemberArchive::append(named(QLatin1String(n))) >= 0);
        const QByteArray before = archiveBytes();
        click("cmdPrimo");
        click("cmdAvanti");
        QCOMPARE(position(), QStringLiteral("2"));
        fillRequired();
        saveExpecting(Kind::Information, kUpdated);
        const QByteArray after = archiveBytes();
        QCOMPARE(after.size(), before.size());
        QCOMPARE(after.left(Member::kRecordSize), before.left(Member::kRecordSize));
        QCOMPARE(after.mid(2 * Member::kRecordSize), before.mid(2 * Member::kRecordSize));
        QCOMPARE(stored(1, Member::Tiratore), QByteArray("\x0bROSSI MARIO"));
    }

    void duplicate()
    {
        click("cmdDuplica");
        QCOMPARE(lastBox(Kind::Warning),
                 QStringLiteral(
                     "Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è "
                     "stata inserita in archivio."));

        fillRequired();
        sheet()->label(QStringLiteral("lblFile01"))->setText(QStringLiteral("certificato.pdf"));
        sheet()->label(QStringLiteral("lblDesc01"))->setText(QStringLiteral("Certificato"));
        QImage photo(40, 50, QImage::Format_RGB32);
        photo.fill(Qt::red);
        MemberFixtures::loadPhoto(sheet(), photo, m_dir->path());
        saveExpecting(Kind::Information, kInserted);
        const QByteArray first = archiveBytes();

        f("txtNote")->setFocus();
        click("cmdDuplica");
        QCOMPARE(
            lastBox(Kind::Information),
            QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\rAl "
                           "termine premere Salva per inserire la scheda in archivio."));
        QCOMPARE(position(), QString());
        QCOMPARE(sheet()->label(QStringLiteral("lblFile01"))->text(), QString());
        QCOMPARE(sheet()->label(QStringLiteral("lblDesc01"))->text(), QString());
        QCOMPARE(sheet()->photo(), MemberPhoto::placeholder());
        QCOMPARE(text("txtTiratore"), QStringLiteral("ROSSI MARIO"));
        QCOMPARE(sheet()->focusWidget(), f("txtTiratore"));

        saveExpecting(Kind::Information, kInserted);
        QCOMPARE(position(), QStringLiteral("2"));
        const QByteArray both = archiveBytes();
        QCOMPARE(both.size(), 2 * Member::kRecordSize);
        QCOMPARE(both.left(Member::kRecordSize), first);
        QCOMPARE(stored(1, Member::Tiratore), QByteArray("\x0bROSSI MARIO"));
        QCOMPARE(stored(1, Member::File01), QByteArray("\x00", 1));
        QCOMPARE(stored(1, Member::Desc01), QByteArray("\x00", 1));
        QCOMPARE(MemberPhoto::load(QStringLiteral("2")).size(), QSize(307, 394));
        QCOMPARE(MemberPhoto::load(QStringLiteral("1")).size(), QSize(40, 50));
    }

    void navigationOnAnEmptyArchive_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("shownBefore");
        QTest::newRow("first") << "cmdPrimo"
                               << "";
        QTest::newRow("last") << "cmdUltimo"
                              << "";
        QTest::newRow("next") << "cmdAvanti"
                              << "";
        QTest::newRow("previous") << "cmdIndietro"
                                  << "";
        // An archive emptied behind the sheet's back: Next forgets the stale position.
        QTest::newRow("next from a stale position") << "cmdAvanti"
                                                    << "5";
    }

    void navigationOnAnEmptyArchive()
    {
        QFETCH(QString, button);
        QFETCH(QString, shownBefore);
        sheet()->label(QStringLiteral("lblPosizione"))->setText(shownBefore);
        click(qPrintable(button));
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(lastBox(Kind::Information), kEmpty);
        QCOMPARE(position(), QString());
    }

    void navigationOnAFullArchive_data()
    {
        QTest::addColumn<int>("from"); // 0: new sheet
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("to"); // 0: nothing happens
        QTest::newRow("new, next") << 0 << "cmdAvanti" << 1;
        QTest::newRow("new, previous") << 0 << "cmdIndietro" << 1;
        QTest::newRow("new, first") << 0 << "cmdPrimo" << 1;
        QTest::newRow("new, last") << 0 << "cmdUltimo" << 3;
        QTest::newRow("1, next") << 1 << "cmdAvanti" << 2;
        QTest::newRow("2, previous") << 2 << "cmdIndietro" << 1;
        QTest::newRow("3, previous") << 3 << "cmdIndietro" << 2;
        QTest::newRow("3, next at the end") << 3 << "cmdAvanti" << 0;
        QTest::newRow("1, previous at the start") << 1 << "cmdIndietro" << 0;
        QTest::newRow("2, last") << 2 << "cmdUltimo" << 3;
        QTest::newRow("3, first") << 3 << "cmdPrimo" << 1;
    }

    void navigationOnAFullArchive()
    {
        QFETCH(int, from);
        QFETCH(QString, button);
        QFETCH(int, to);
        const QStringList names{QStringLiteral("UNO"), QStringLiteral("DUE"), QStringLiteral("TRE")};
        for (const QString &n : names)
            QVERIFY(MemberArchive::append(named(n)) >= 0);
        QImage photo(30, 20, QImage::Format_RGB32);
        photo.fill(Qt::blue);
        QVERIFY(MemberPhoto::save(photo, QStringLiteral("2")));
        if (from > 0)
            browseTo(from);
        f("txtNote")->setText(QStringLiteral("non salvato"));

        click(qPrintable(button));
        QCOMPARE(m_boxes.size(), 0);
        if (to == 0) {
            QCOMPARE(position(), QString::number(from));
            QCOMPARE(text("txtNote"), QStringLiteral("non salvato"));
            return;
        }
        QCOMPARE(position(), QString::number(to));
        QCOMPARE(text("txtTiratore"), names[to - 1]);
        QCOMPARE(text("txtTessera"), names[to - 1] + QStringLiteral("-T"));
        QCOMPARE(text("txtNote"), QString());
        QCOMPARE(sheet()->photo().size(), to == 2 ? QSize(30, 20) : QSize(307, 394));
    }

    void requiredFieldsInOrder()
    {
        const QList<QPair<const char *, QString>> checks{
            {"txtTiratore",
             "Attenzione: per salvare la scheda è necessario indicare cognome e nome dell'iscritto."},
            {"txtStudio", "Attenzione: per salvare la scheda è necessario indicare la data di scadenza del "
                          "certificato medico."},
            {"txtEnte",
             "Attenzione: per salvare la scheda è necessario indicare l'attività sportiva praticata."},
            {"txtTessera", "Attenzione: per salvare la scheda è necessario indicare il numero di tessera "
                           "dell'iscritto."},
            {"txtQuota",
             "Attenzione: per salvare la scheda è necessario indicare la quota versata dall'iscritto."},
            {"txtInizioTes",
             "Attenzione: per salvare la scheda è necessario indicare la data di rilascio della "
             "tessera."},
            {"txtFineTes",
             "Attenzione: per salvare la scheda è necessario indicare la data di scadenza della "
             "tessera."},
        };
        f("txtQuota")->setText(QString()); // a record loaded without a fee
        for (const auto &check : checks) {
            saveExpecting(Kind::Warning, check.second);
            QCOMPARE(sheet()->focusWidget(), f(check.first));
            // Blanks only count as empty.
            f(check.first)->setText(QStringLiteral("  "));
            if (QLatin1String(check.first) != QLatin1String("txtQuota")) {
                saveExpecting(Kind::Warning, check.second);
            }
            f(check.first)->setText(QStringLiteral("X"));
        }
        QVERIFY(archiveBytes().isEmpty());
        saveExpecting(Kind::Information, kInserted);
    }

    void feeIsNormalisedOnLeaving_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byEnter");
        QTest::addColumn<QString>("shown");
        QTest::newRow("nothing") << "" << false << "0,00";
        QTest::newRow("lone comma") << "," << false << "0,00";
        // A second comma is refused as it is typed.
        QTest::newRow("two commas") << "1,2,3" << false << "1,23";
        QTest::newRow("whole") << "25" << false << "25,00";
        QTest::newRow("one decimal") << "25,5" << true << "25,50";
        QTest::newRow("two decimals") << "25,55" << false << "25,55";
        QTest::newRow("half up") << "7,125" << true << "7,13";
        QTest::newRow("carry") << "1,999" << false << "2,00";
        QTest::newRow("exact half cent") << "1,005" << false << "1,01";
        QTest::newRow("no whole part") << ",5" << false << "0,50";
        QTest::newRow("trailing comma") << "12," << false << "12,00";
        QTest::newRow("full stop and letters ignored") << "2.5a0" << true << "250,00";
    }

    void feeIsNormalisedOnLeaving()
    {
        QFETCH(QString, typed);
        QFETCH(bool, byEnter);
        QFETCH(QString, shown);
        QLineEdit *quota = f("txtQuota");
        quota->setFocus();
        quota->clear();
        QTest::keyClicks(quota, typed);
        if (byEnter) {
            QTest::keyClick(quota, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), f("txtInizioTes"));
        } else {
            f("txtTessera")->setFocus();
        }
        QCOMPARE(quota->text(), shown);
        QCOMPARE(Conventions::fieldBackground(quota), Conventions::kRequiredColour);
    }

    void dateFieldsUseThePicker_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("context");
        QTest::newRow("certificate") << "txtStudio"
                                     << "tiratori_studio";
        QTest::newRow("card issue") << "txtInizioTes"
                                    << "tiratori_iniziotes";
        QTest::newRow("card expiry") << "txtFineTes"
                                     << "tiratori_finetes";
    }

    void dateFieldsUseThePicker()
    {
        QFETCH(QString, field);
        QFETCH(QString, context);
        const QStringList dateFields{QStringLiteral("txtStudio"), QStringLiteral("txtInizioTes"),
                                     QStringLiteral("txtFineTes")};
        for (const QString &d : dateFields)
            sheet()->field(d)->setText(QStringLiteral("01/01/2020"));
        QLineEdit *date = sheet()->field(field);
        date->setFocus();

        // A digit opens the picker, which starts at today; cancelling leaves the field alone.
        QString seenContext;
        QDate seenDate;
        onModal([&](QWidget *picker) {
            seenContext = callerContext(picker);
            seenDate = picker->findChild<QCalendarWidget *>()->selectedDate();
            picker->findChild<QPushButton *>(QStringLiteral("btnAnnulla"))->click();
        });
        QTest::keyClick(date, Qt::Key_5);
        QCOMPARE(seenContext, context);
        QCOMPARE(seenDate, QDate::currentDate());
        QCOMPARE(date->text(), QStringLiteral("01/01/2020"));

        // Backspace empties it.
        QTest::keyClick(date, Qt::Key_Backspace);
        QCOMPARE(date->text(), QString());

        // A letter opens it again; importing fills this field only.
        onModal([](QWidget *picker) {
            picker->findChild<QPushButton *>(QStringLiteral("btnImportaData"))->click();
        });
        QTest::keyClick(date, Qt::Key_A);
        for (const QString &d : dateFields)
            QCOMPARE(sheet()->field(d)->text(), d == field ? today() : QStringLiteral("01/01/2020"));
        QVERIFY(sheet()->findChildren<QDialog *>().isEmpty());
    }

    void coloursFollowTheFocus()
    {
        for (int i = 0; i < Member::kSheetFieldCount; ++i) {
            QLineEdit *focused = sheet()->field(Member::fieldName(i));
            focused->setFocus(Qt::TabFocusReason);
            for (int j = 0; j < Member::kSheetFieldCount; ++j) {
                QLineEdit *g = sheet()->field(Member::fieldName(j));
                const QColor resting = Member::kFields[size_t(j)].required ? Conventions::kRequiredColour
                                                                           : Conventions::kOptionalColour;
                QCOMPARE(Conventions::fieldBackground(g), g == focused ? Conventions::kFocusColour : resting);
            }
        }
    }

    void enterGoesRoundTheRing()
    {
        const QStringList ring{
            "txtSesso",     "txtDataNasc", "txtCittadinanza", "txtLuogoNasc", "txtIndirizzo",   "txtCitta",
            "txtCap",       "txtNazione",  "txtCodFisc",      "txtGruppo",    "txtProfessione", "txtStudio",
            "txtEnte",      "txtEmail",    "txtTel",          "txtCel",       "txtTessera",     "txtQuota",
            "txtInizioTes", "txtFineTes",  "txtArmi",         "txtPorto",     "txtInizioPor",   "txtFinePor",
            "txtNote",      "txtTiratore"};
        f("txtTiratore")->setFocus();
        QStringList visited;
        for (qsizetype i = 0; i < ring.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, ring);
        QCOMPARE(m_boxes.size(), 0);
    }

    void typingRules_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("tax code upper-cased") << "txtCodFisc"
                                              << "rssmra85t10a562s"
                                              << "RSSMRA85T10A562S";
        QTest::newRow("sex upper-cased") << "txtSesso"
                                         << "f"
                                         << "F";
        QTest::newRow("e-mail trimmed") << "txtEmail"
                                        << " mario@posta.it "
                                        << "mario@posta.it";
        QTest::newRow("name as typed") << "txtTiratore"
                                       << "Rossi Mario "
                                       << "Rossi Mario ";
    }

    void typingRules()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QLineEdit *e = sheet()->field(field);
        e->setFocus();
        QTest::keyClicks(e, typed);
        QCOMPARE(e->text(), shown);
    }

    void informationBar()
    {
        // A window large enough for the whole sheet, so that the pointer reaches every control.
        sheet()->setWindowState(Qt::WindowNoState);
        sheet()->resize(1400, 900);
        QTRY_COMPARE(sheet()->size(), QSize(1400, 900));
        auto *bar = sheet()->findChild<QLabel *>(QStringLiteral("panInfo"));
        auto moveTo = [this](const char *name) {
            auto *w = sheet()->findChild<QWidget *>(QLatin1String(name));
            QVERIFY2(w, name);
            QTest::mouseMove(w, QPoint(2, 2));
        };
        moveTo("cmdSalva");
        QTRY_COMPARE(bar->text(), QStringLiteral("Salva la scheda in archivio. (Ctrl+S)"));
        moveTo("btnCodFisc");
        QTRY_COMPARE(bar->text(), QStringLiteral("Controlla il codice fiscale."));
        moveTo("titTiratore");
        moveTo("txtTiratore");
        QTest::qWait(20);
        QCOMPARE(bar->text(), QStringLiteral("Controlla il codice fiscale."));
        moveTo("imgFoto");
        QTRY_COMPARE(bar->text(), QString());
        moveTo("btnZoomFoto");
        QTRY_COMPARE(bar->text(), QStringLiteral("Visualizza la foto nelle sue dimensioni reali."));
        moveTo("shpSfondo");
        QTRY_COMPARE(bar->text(), QString());
        moveTo("cmdEsci");
        QTRY_COMPARE(bar->text(), QStringLiteral("Esci da questa schermata di lavoro."));
        moveTo("shpContainer");
        QTRY_COMPARE(bar->text(), QString());
    }

    void unwritableArchive()
    {
        // A program folder that cannot exist: its parent is a regular file.
        QFile blocker(m_dir->filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        setProgramFolder(blocker.fileName() + QStringLiteral("/Corvalla"));

        fillRequired();
        saveExpecting(Kind::Error, kAccess);
        QCOMPARE(position(), QString());
        QCOMPARE(text("txtTiratore"), QStringLiteral("ROSSI MARIO"));

        for (const char *button : {"cmdPrimo", "cmdUltimo", "cmdAvanti", "cmdIndietro"}) {
            m_boxes.clear();
            click(button);
            QCOMPARE(lastBox(Kind::Error), kAccess);
            QCOMPARE(text("txtTiratore"), QStringLiteral("ROSSI MARIO"));
        }

        // A record on show that can no longer be written keeps its position.
        sheet()->label(QStringLiteral("lblPosizione"))->setText(QStringLiteral("1"));
        saveExpecting(Kind::Error, kAccess);
        QCOMPARE(position(), QStringLiteral("1"));
    }

    // A disk too full for the new photo (here a file-size limit): the record is saved, the photo
    // file keeps its old picture, and the user is told. A small photo fits in the file's write
    // buffer and fails only when the file is finished; a large one fails while it is written.
    void photoOnAFullDiskKeepsTheOldPhoto_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("small photo") << QSize(90, 110);
        QTest::newRow("large photo") << QSize(600, 800);
    }
    void photoOnAFullDiskKeepsTheOldPhoto()
    {
        QFETCH(QSize, size);
        QImage old(40, 50, QImage::Format_RGB32);
        old.fill(Qt::red);
        QVERIFY(MemberPhoto::save(old, QStringLiteral("1")));
        const QByteArray oldBytes = readAll(MemberArchive::photoPath(QStringLiteral("1")));
        QVERIFY(!oldBytes.isEmpty());
        QVERIFY(MemberArchive::append(named(QStringLiteral("ROSSI MARIO"))) == 0);
        browseTo(1);
        fillRequired();
        f("txtNote")->setText(QStringLiteral("nuova nota"));
        QImage noisy(size, QImage::Format_RGB32); // a JPEG of more than the limit
        for (int y = 0; y < noisy.height(); ++y)
            for (int x = 0; x < noisy.width(); ++x)
                noisy.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * y) % 256, (x ^ y) % 256));
        MemberFixtures::loadPhoto(sheet(), noisy, m_dir->path());
        const QImage loaded = sheet()->photo();
        QCOMPARE(loaded.size(), size);

        m_boxes.clear();
        {
            const FileSizeLimit full(4096); // the archive (one record) fits, the new photo does not
            click("cmdSalva");
        }
        QCOMPARE(m_boxes.size(), 2);
        QCOMPARE(m_boxes[0].kind, Kind::Warning);
        QVERIFY2(
            m_boxes[0].text.startsWith(QStringLiteral("Attenzione: non è stato possibile salvare la foto")),
            qPrintable(m_boxes[0].text));
        QCOMPARE(lastBox(Kind::Information), kUpdated);
        QCOMPARE(readAll(MemberArchive::photoPath(QStringLiteral("1"))), oldBytes);
        QCOMPARE(QDir(MemberArchive::photoFolder()).entryList(QDir::Files),
                 QStringList{QStringLiteral("Scheda_Iscritto_1.jpg")});
        Member::Record saved;
        QVERIFY(MemberArchive::read(0, saved));
        QCOMPARE(saved[Member::Note], QStringLiteral("nuova nota"));
        QCOMPARE(sheet()->photo(), loaded); // still on the sheet for another try
    }

    void closingShowsTheMainMenuAndReopeningClears()
    {
        TfrmAvvio menu;
        Windows::add(&menu);
        Windows::add(sheet());
        Corvalla::connectWindowSet();
        fillRequired();
        sheet()->findChild<QLabel *>(QStringLiteral("panInfo"))->setText(QString());
        click("cmdEsci");
        QVERIFY(menu.isVisible());
        QVERIFY(!sheet()->isVisible());

        sheet()->show();
        QCOMPARE(text("txtTiratore"), QString());
        QCOMPARE(text("txtQuota"), QStringLiteral("0,00"));
        QCOMPARE(sheet()->findChild<QLabel *>(QStringLiteral("panInfo"))->text(),
                 QStringLiteral("Pronto per archiviare una nuova scheda..."));

        // The title bar does the same.
        sheet()->close();
        QVERIFY(!sheet()->isVisible());
        QVERIFY(menu.isVisible());
    }

    void photoTools()
    {
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        const QString jpeg = m_dir->filePath(QStringLiteral("ritratto.jpg"));
        QVERIFY(picture.save(jpeg, "JPG"));
        const QString notAPicture = m_dir->filePath(QStringLiteral("testo.jpg"));
        QFile text(notAPicture);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("not a picture");
        text.close();

        QList<FileDialogs::Request> requests;
        QString answer;
        FileDialogs::setTestHook([&](const FileDialogs::Request &r) {
            requests.append(r);
            return answer;
        });

        answer = jpeg;
        click("btnCaricaFoto");
        QCOMPARE(requests.last().kind, FileDialogs::Request::Kind::Open);
        QCOMPARE(requests.last().title,
                 QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."));
        QCOMPARE(requests.last().filter,
                 QStringLiteral("Immagine JPEG (*.jpg; *.jpeg)|*.jpg;*.jpeg|Immagine Bitmap (*.bmp)|*.bmp"));
        QCOMPARE(sheet()->photo().size(), QSize(64, 48));

        answer.clear(); // cancelled
        click("btnCaricaFoto");
        QCOMPARE(sheet()->photo().size(), QSize(64, 48));

        const QString saved = m_dir->filePath(QStringLiteral("copia.jpg"));
        answer = saved;
        click("btnSalvaFoto");
        QCOMPARE(requests.last().kind, FileDialogs::Request::Kind::Save);
        QCOMPARE(requests.last().title,
                 QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."));
        QCOMPARE(requests.last().filter, QStringLiteral("File Jpeg (*.jpg)|*.jpg"));
        QCOMPARE(requests.last().proposedName, QStringLiteral("Foto.jpg"));
        QCOMPARE(QImage(saved).size(), QSize(64, 48));

        answer = m_dir->filePath(QStringLiteral("testo.jpg/dentro.jpg")); // cannot be written
        click("btnSalvaFoto");
        QCOMPARE(sheet()->photo(), MemberPhoto::placeholder());

        answer = jpeg;
        click("btnCaricaFoto");
        answer = notAPicture;
        click("btnCaricaFoto");
        QCOMPARE(sheet()->photo(), MemberPhoto::placeholder());

        answer = jpeg;
        click("btnCaricaFoto");
        click("btnCancFoto");
        QCOMPARE(sheet()->photo(), MemberPhoto::placeholder());
        QVERIFY(m_boxes.isEmpty());
        // None of this touched the member photo folder.
        QVERIFY(!QFile::exists(MemberArchive::photoPath(QStringLiteral("1"))));
    }

    void email_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("opened");
        QTest::newRow("address") << "mario@posta.it"
                                 << "\"mailto:mario@posta.it\"";
        QTest::newRow("empty") << ""
                               << "\"mailto:\"";
    }

    void email()
    {
        QFETCH(QString, address);
        QFETCH(QString, opened);
        QStringList seen;
        TMisc::setTestHook([&seen](const QString &s) { seen << s; });
        f("txtEmail")->setText(address);
        click("btnEmail");
        QCOMPARE(seen, QStringList{opened});
    }

    void oneUseWindows_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("context");
        QTest::newRow("search") << "cmdTrova"
                                << "TfrmTrovaTiratori"
                                << "tiratori";
        QTest::newRow("attachments") << "cmdFile"
                                     << "TfrmAllegaCartella"
                                     << "tiratori";
        QTest::newRow("webcam") << "btnWebcam"
                                << "TfrmWebCam"
                                << "euro_01";
        QTest::newRow("zoom") << "btnZoomFoto"
                              << "TfrmZoom"
                              << "";
        QTest::newRow("help") << "cmdGuida"
                              << "TfrmGuida"
                              << "";
    }

    void oneUseWindows()
    {
        QFETCH(QString, button);
        QFETCH(QString, window);
        QFETCH(QString, context);
        QString seenClass, seenContext;
        QWidget *seenParent = nullptr;
        QPointer<QWidget> opened;
        onModal([&](QWidget *w) {
            seenClass = QString::fromLatin1(w->metaObject()->className());
            seenContext = callerContext(w);
            seenParent = w->parentWidget();
            opened = w;
            w->close();
        });
        click(qPrintable(button));
        QCOMPARE(seenClass, window);
        QCOMPARE(seenContext, context);
        QCOMPARE(seenParent, sheet());
        QTRY_VERIFY(opened.isNull());
    }
};

QTEST_MAIN(TestMemberSheet)
#include "tst_membersheet.moc"
