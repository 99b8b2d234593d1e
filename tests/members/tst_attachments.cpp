#include "ModalHelper.h"
#include "TestSupport.h"

#include "common/CallerContext.h"
#include "common/FileDialogs.h"
#include "common/MsgBox.h"
#include "common/OpenURL.h"
#include "common/ProgramFolder.h"
#include "members/TfrmAllegaCartella.h"
#include "members/TfrmTiratori.h"
#include "records/MemberArchive.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString kOverwrite =
    QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con "
                   "lo stesso nome.\r\n\r\nSi vuole sovrascrivere il file esistente?");
} // namespace

class TestAttachments : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_chosen; // what the open-file dialog returns ("" = cancelled)
    QList<FileDialogs::Request> m_dialogs;
    QStringList m_boxes;
    QList<MsgBox::Answer> m_answers;
    QStringList m_opened;

    TfrmTiratori *m_sheet = nullptr;
    TfrmAllegaCartella *m_window = nullptr;

    QString source(const QString &name) const { return m_dir.path() + QStringLiteral("/documenti/") + name; }
    QLineEdit *edit(const QString &name) const { return m_window->findChild<QLineEdit *>(name); }
    QPushButton *button(const QString &name) const { return m_window->findChild<QPushButton *>(name); }
    QList<TfrmAllegaCartella::Attachments> m_applied; // what each "Applica e chiudi" handed back

    // The window on its own, given the slots the sheet of init() holds; its handover to the real
    // sheet is tested through the sheet's own button (handoverThroughTheSheet).
    void openWindow()
    {
        m_window = new TfrmAllegaCartella(m_sheet);
        m_window->setAttachments(
            {{{"  verbale.pdf ", " Verbale d'iscrizione "}, {"", "Solo descrizione"}, {}}});
        m_window->setApply([this](const TfrmAllegaCartella::Attachments &list) { m_applied << list; });
        m_window->show();
    }
    // The user's round from the sheet: "cmdFile" opens the window, `act` works it.
    void throughTheSheet(const std::function<void(TfrmAllegaCartella *)> &act)
    {
        const auto ran = Modal::whenShown<TfrmAllegaCartella>([&](TfrmAllegaCartella *w) {
            QCOMPARE(callerContext(w), QStringLiteral("tiratori"));
            act(w);
            if (w->isVisible())
                w->reject();
        });
        QTest::mouseClick(m_sheet->findChild<QWidget *>(QStringLiteral("cmdFile")), Qt::LeftButton);
        QVERIFY(*ran);
    }
    void sfoglia(int slot, const QString &chosen)
    {
        m_chosen = chosen;
        QTest::mouseClick(button(QStringLiteral("btnSfoglia0%1").arg(slot)), Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        corvallaTestInit();
        QVERIFY(m_dir.isValid());
        FileDialogs::setTestHook([this](const FileDialogs::Request &r) {
            m_dialogs << r;
            return m_chosen;
        });
        MsgBox::setTestHook([this](MsgBox::Kind kind, const QString &text) {
            m_boxes << text;
            Q_UNUSED(kind);
            return m_answers.isEmpty() ? MsgBox::Answer::No : m_answers.takeFirst();
        });
        TMisc::setTestHook([this](const QString &s) { m_opened << s; });
    }
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path() + QStringLiteral("/programma"));
        setProgramFolder(m_dir.path() + QStringLiteral("/programma"));
        m_dialogs.clear();
        m_boxes.clear();
        m_answers.clear();
        m_opened.clear();
        m_applied.clear();
        m_sheet = new TfrmTiratori;
        m_sheet->show(); // a shown sheet is an empty sheet
        m_sheet->label(QStringLiteral("lblFile01"))->setText(QStringLiteral("  verbale.pdf "));
        m_sheet->label(QStringLiteral("lblDesc01"))->setText(QStringLiteral(" Verbale d'iscrizione "));
        m_sheet->label(QStringLiteral("lblDesc02"))->setText(QStringLiteral("Solo descrizione"));
    }
    void cleanup()
    {
        delete m_window;
        m_window = nullptr;
        delete m_sheet;
        m_sheet = nullptr;
    }

    void showsTheSheetSlots()
    {
        openWindow();
        QCOMPARE(edit(QStringLiteral("txtFile01"))->text(), QStringLiteral("verbale.pdf"));
        QCOMPARE(edit(QStringLiteral("txtDesc01"))->text(), QStringLiteral("Verbale d'iscrizione"));
        QCOMPARE(edit(QStringLiteral("txtFile02"))->text(), QString());
        QCOMPARE(edit(QStringLiteral("txtDesc02"))->text(), QStringLiteral("Solo descrizione"));
        QVERIFY(edit(QStringLiteral("txtFile01"))->isReadOnly());
        QVERIFY(button(QStringLiteral("btnApri01"))->isEnabled());
        QVERIFY(!button(QStringLiteral("btnApri02"))->isEnabled());
        QVERIFY(!button(QStringLiteral("btnApri03"))->isEnabled());
    }

    void attachCopiesIntoNewFolder()
    {
        const QString name = QStringLiteral("Certificato médico Niccolò 2025.pdf");
        writeFile(source(name), "PDF nuovo");
        QVERIFY(!QDir(MemberArchive::attachmentsFolder()).exists());
        openWindow();
        sfoglia(2, source(name));

        QCOMPARE(m_dialogs.size(), 1);
        QCOMPARE(int(m_dialogs[0].kind), int(FileDialogs::Request::Kind::Open));
        QCOMPARE(m_dialogs[0].title, QStringLiteral("Selezionare il file da allegare:"));
        QCOMPARE(m_dialogs[0].filter, QStringLiteral("Tutti i file (*.*)|*"));
        QCOMPARE(edit(QStringLiteral("txtFile02"))->text(), name);
        QVERIFY(button(QStringLiteral("btnApri02"))->isEnabled());
        QCOMPARE(readAll(MemberArchive::attachmentPath(name)), QByteArray("PDF nuovo"));
        QVERIFY(m_boxes.isEmpty());
        QCOMPARE(readAll(source(name)), QByteArray("PDF nuovo"));
    }

    void sameNameAsks_data()
    {
        QTest::addColumn<MsgBox::Answer>("answer");
        QTest::addColumn<QByteArray>("kept");
        QTest::newRow("no keeps the older copy") << MsgBox::Answer::No << QByteArray("vecchio");
        QTest::newRow("yes replaces it") << MsgBox::Answer::Yes << QByteArray("nuovo");
    }
    void sameNameAsks()
    {
        QFETCH(MsgBox::Answer, answer);
        QFETCH(QByteArray, kept);
        writeFile(MemberArchive::attachmentPath(QStringLiteral("tessera.jpg")), "vecchio");
        writeFile(source(QStringLiteral("tessera.jpg")), "nuovo");
        openWindow();
        m_answers = {answer};
        sfoglia(3, source(QStringLiteral("tessera.jpg")));
        QCOMPARE(m_boxes, QStringList{kOverwrite});
        QCOMPARE(readAll(MemberArchive::attachmentPath(QStringLiteral("tessera.jpg"))), kept);
        QCOMPARE(edit(QStringLiteral("txtFile03"))->text(), QStringLiteral("tessera.jpg"));
    }

    void choosingTheKeptCopyLeavesItWhole()
    {
        const QString kept = MemberArchive::attachmentPath(QStringLiteral("statuto.pdf"));
        writeFile(kept, "statuto");
        openWindow();
        m_answers = {MsgBox::Answer::Yes};
        sfoglia(1, kept);
        QCOMPARE(readAll(kept), QByteArray("statuto"));
        QVERIFY(m_boxes.isEmpty());
        QCOMPARE(edit(QStringLiteral("txtFile01"))->text(), QStringLiteral("statuto.pdf"));
    }

    void cancelledDialogChangesNothing()
    {
        openWindow();
        sfoglia(1, QString());
        QCOMPARE(edit(QStringLiteral("txtFile01"))->text(), QStringLiteral("verbale.pdf"));
        QVERIFY(!QDir(MemberArchive::attachmentsFolder()).exists());
        QVERIFY(m_boxes.isEmpty());
    }

    void failedCopyKeepsTheNameSilently()
    {
        // A plain file where the attachments folder should be.
        writeFile(m_dir.path() + QStringLiteral("/programma/Documenti_Allegati"), "x");
        writeFile(source(QStringLiteral("a.txt")), "a");
        openWindow();
        sfoglia(2, source(QStringLiteral("a.txt")));
        QCOMPARE(edit(QStringLiteral("txtFile02"))->text(), QStringLiteral("a.txt"));
        QVERIFY(m_boxes.isEmpty());
    }

    void deletePictureEmptiesOnlyTheName()
    {
        const QString kept = MemberArchive::attachmentPath(QStringLiteral("verbale.pdf"));
        writeFile(kept, "verbale");
        openWindow();
        QTest::mouseClick(m_window->findChild<QWidget *>(QStringLiteral("imgCancella01")), Qt::LeftButton);
        QCOMPARE(edit(QStringLiteral("txtFile01"))->text(), QString());
        QVERIFY(!button(QStringLiteral("btnApri01"))->isEnabled());
        QTest::mouseClick(button(QStringLiteral("btnApplica")), Qt::LeftButton);
        QCOMPARE(m_applied.size(), 1);
        QCOMPARE(m_applied[0][0].file, QString());
        QCOMPARE(m_applied[0][0].description, QStringLiteral("Verbale d'iscrizione"));
        QCOMPARE(readAll(kept), QByteArray("verbale"));
    }

    // The real open-file dialog lists every file of a folder, those without a dot in their name too.
    void browseDialogListsFilesWithoutADot()
    {
        writeFile(source(QStringLiteral("LEGGIMI")), "leggimi");
        writeFile(source(QStringLiteral("nota.txt")), "nota");
        FileDialogs::setTestHook(nullptr);
        openWindow();
        QStringList listed;
        bool seen = false;
        auto *poll = new QTimer(this);
        poll->setInterval(10);
        connect(poll, &QTimer::timeout, this, [&, poll] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            poll->stop();
            seen = true;
            dialog->setDirectory(source(QString()));
            // The folder is read in the background: wait until its files are listed.
            auto *view = dialog->findChild<QListView *>(QStringLiteral("listView"));
            QElapsedTimer clock;
            clock.start();
            while (view && clock.elapsed() < 10000 && view->model()->rowCount(view->rootIndex()) < 2)
                QTest::qWait(20);
            QTest::qWait(100);
            for (int row = 0; view && row < view->model()->rowCount(view->rootIndex()); ++row)
                listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
            // The user types the name and presses Open.
            if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                name->setText(QStringLiteral("LEGGIMI"));
            static_cast<QDialog *>(dialog)->accept(); // as the dialog's Open button does
            if (dialog->isVisible())
                dialog->reject(); // never left waiting
        });
        poll->start();
        QTest::mouseClick(button(QStringLiteral("btnSfoglia01")), Qt::LeftButton);
        delete poll;
        FileDialogs::setTestHook([this](const FileDialogs::Request &r) {
            m_dialogs << r;
            return m_chosen;
        });
        QVERIFY(seen);
        listed.sort();
        QCOMPARE(listed, (QStringList{QStringLiteral("LEGGIMI"), QStringLiteral("nota.txt")}));
        QCOMPARE(edit(QStringLiteral("txtFile01"))->text(), QStringLiteral("LEGGIMI"));
        QCOMPARE(readAll(MemberArchive::attachmentPath(QStringLiteral("LEGGIMI"))), QByteArray("leggimi"));
    }

    // A chosen file whose name the member record cannot hold is copied under a name it can hold;
    // that name is shown, stored with the member and opened by "Apri" after a reload.
    void unstorableNameIsCopiedUnderOneThatFits_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("kept");
        QTest::newRow("Greek letters") << QStringLiteral("Πιστοποιητικό ιατρικό.pdf")
                                       << QString(13, QLatin1Char('_')) + QLatin1Char(' ') +
                                              QString(7, QLatin1Char('_')) + QStringLiteral(".pdf");
        QTest::newRow("Windows-1252 signs kept")
            << QStringLiteral("Ωmega € “2025”.odt") << QStringLiteral("_mega € “2025”.odt");
        QTest::newRow("over 250 characters") << QString(251, QLatin1Char('a')) + QStringLiteral(".pdf")
                                             << QString(246, QLatin1Char('a')) + QStringLiteral(".pdf");
    }
    void unstorableNameIsCopiedUnderOneThatFits()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, kept);
        writeFile(source(chosen), "documento");
        throughTheSheet([&](TfrmAllegaCartella *w) {
            m_chosen = source(chosen);
            QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("btnSfoglia01")), Qt::LeftButton);
            QCOMPARE(w->findChild<QLineEdit *>(QStringLiteral("txtFile01"))->text(), kept);
            QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("btnApplica")), Qt::LeftButton);
        });
        QCOMPARE(readAll(MemberArchive::attachmentPath(kept)), QByteArray("documento"));

        // Saved with the member, then read back from the archive.
        m_sheet->field(QStringLiteral("txtTiratore"))->setText(QStringLiteral("ROSSI MARIO"));
        Member::Record record = m_sheet->sheetRecord();
        QCOMPARE(MemberArchive::append(record), qint64(0));
        QVERIFY(MemberArchive::read(0, record));
        QTest::mouseClick(m_sheet->findChild<QWidget *>(QStringLiteral("cmdNuovo")), Qt::LeftButton);
        QCOMPARE(m_sheet->label(QStringLiteral("lblFile01"))->text(), QString());
        QTest::mouseClick(m_sheet->findChild<QWidget *>(QStringLiteral("cmdPrimo")), Qt::LeftButton);
        QCOMPARE(m_sheet->label(QStringLiteral("lblFile01"))->text(), kept);

        throughTheSheet([](TfrmAllegaCartella *w) {
            QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("btnApri01")), Qt::LeftButton);
        });
        QCOMPARE(m_opened.size(), 1);
        const QString opened = m_opened[0].mid(1, m_opened[0].size() - 2);
        QCOMPARE(readAll(opened), QByteArray("documento"));
    }

    // A damaged or crafted archive may name a file outside the attachments folder: "Apri" opens
    // only files of the folder itself.
    void apriOpensOnlyFilesOfTheFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("opened");
        QTest::newRow("a file of the folder") << "verbale.pdf" << true;
        QTest::newRow("a path out of it") << "../unins000.dll" << false;
        QTest::newRow("a path from the root") << "/etc/passwd" << false;
        QTest::newRow("the parent folder") << ".." << false;
        QTest::newRow("a link out of it") << "collegamento" << false;
    }
    void apriOpensOnlyFilesOfTheFolder()
    {
        QFETCH(QString, name);
        QFETCH(bool, opened);
        writeFile(MemberArchive::attachmentPath(QStringLiteral("verbale.pdf")), "verbale");
        writeFile(programFolder() + QStringLiteral("unins000.dll"), "segreto");
        QFile::link(programFolder() + QStringLiteral("unins000.dll"),
                    MemberArchive::attachmentPath(QStringLiteral("collegamento")));
        m_window = new TfrmAllegaCartella(m_sheet);
        m_window->setAttachments({{{name, QString()}, {}, {}}});
        m_window->show();
        QTest::mouseClick(button(QStringLiteral("btnApri01")), Qt::LeftButton);
        QCOMPARE(m_opened.size(), opened ? 1 : 0);
    }

    void apriHandsTheQuotedPath()
    {
        openWindow();
        QTest::mouseClick(button(QStringLiteral("btnApri01")), Qt::LeftButton);
        QCOMPARE(m_opened, QStringList{QLatin1Char('"') + programFolder() +
                                       QStringLiteral("Documenti_Allegati/verbale.pdf\"")});
    }

    // The sheet's slots reach the window trimmed; "Applica e chiudi" writes the window's slots back
    // into the sheet, trimmed; "Annulla" and the close box leave the sheet as it was.
    void handoverThroughTheSheet_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("written");
        QTest::newRow("Applica e chiudi") << "btnApplica" << true;
        QTest::newRow("Annulla") << "btnAnnulla" << false;
        QTest::newRow("close box") << "" << false;
    }
    void handoverThroughTheSheet()
    {
        QFETCH(QString, button);
        QFETCH(bool, written);
        throughTheSheet([&](TfrmAllegaCartella *w) {
            const auto edit = [w](const char *name) {
                return w->findChild<QLineEdit *>(QLatin1String(name));
            };
            QCOMPARE(edit("txtFile01")->text(), QStringLiteral("verbale.pdf"));
            QCOMPARE(edit("txtDesc01")->text(), QStringLiteral("Verbale d'iscrizione"));
            QCOMPARE(edit("txtFile02")->text(), QString());
            QCOMPARE(edit("txtDesc02")->text(), QStringLiteral("Solo descrizione"));
            edit("txtDesc03")->setText(QStringLiteral("  Modulo privacy  "));
            edit("txtFile03")->setText(QStringLiteral(" privacy.pdf"));
            if (button.isEmpty())
                w->close();
            else
                QTest::mouseClick(w->findChild<QPushButton *>(button), Qt::LeftButton);
            QVERIFY(!w->isVisible());
        });
        QCOMPARE(m_sheet->label(QStringLiteral("lblDesc03"))->text(),
                 written ? QStringLiteral("Modulo privacy") : QString());
        QCOMPARE(m_sheet->label(QStringLiteral("lblFile03"))->text(),
                 written ? QStringLiteral("privacy.pdf") : QString());
        QCOMPARE(m_sheet->label(QStringLiteral("lblFile01"))->text(),
                 written ? QStringLiteral("verbale.pdf") : QStringLiteral("  verbale.pdf "));
    }
};

QTEST_MAIN(TestAttachments)
#include "tst_attachments.moc"
