#include "AppTestSupport.h"
#include "TestSupport.h"
#include "app/Crypt.h"
#include "app/PasswordMessages.h"
#include "app/TfrmAvvio.h"
#include "app/TfrmCambiaPassword.h"
#include "app/TfrmPassword.h"
#include "app/WindowRegistry.h"
#include "common/ProgramFolder.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

namespace {
const QByteArray kShipped = "[Accesso]\r\nValore=55C7DA576CD9AE90C591F27CFFDD\r\n"; // ISCRIZIONESOCI

} // namespace

class tst_PasswordWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<TfrmPassword> access;
    std::unique_ptr<TfrmCambiaPassword> change;
    std::unique_ptr<TfrmAvvio> menu;

    QLineEdit *edit(QWidget *w, const char *name)
    {
        return w->findChild<QLineEdit *>(QString::fromLatin1(name));
    }
    QPushButton *button(QWidget *w, const char *name)
    {
        return w->findChild<QPushButton *>(QString::fromLatin1(name));
    }

    void writePasswordFile(const QByteArray &content) { writeFile(Crypt::passwordFilePath(), content); }
    QByteArray passwordFile() { return readAll(Crypt::passwordFilePath()); }

    // Types into the access window and presses OK or Enter.
    void login(const QString &typed, bool byEnter)
    {
        QLineEdit *field = edit(access.get(), "txtPassword");
        field->setFocus();
        field->clear();
        typeText(field, typed);
        if (byEnter)
            QTest::keyClick(field, Qt::Key_Return);
        else
            QTest::mouseClick(button(access.get(), "cmdOK"), Qt::LeftButton);
    }

    void openChangeWindow()
    {
        QTest::mouseClick(button(access.get(), "btnCambiaPassword"), Qt::LeftButton);
        QVERIFY(change->isVisible());
        QVERIFY(!access->isVisible());
    }

    void fillChange(const QString &oldText, const QString &newText, const QString &confirm)
    {
        typeText(edit(change.get(), "txtPasswordOld"), oldText);
        typeText(edit(change.get(), "txtPasswordNew"), newText);
        typeText(edit(change.get(), "txtConferma"), confirm);
    }

private slots:
    void initTestCase() { corvallaTestInit(); }

    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        setProgramFolder(dir->path());
        writePasswordFile(kShipped);
        access = std::make_unique<TfrmPassword>();
        change = std::make_unique<TfrmCambiaPassword>();
        menu = std::make_unique<TfrmAvvio>();
        for (QWidget *w : {static_cast<QWidget *>(access.get()), static_cast<QWidget *>(change.get()),
                           static_cast<QWidget *>(menu.get())})
            Windows::add(w);
        access->show();
        QVERIFY(QTest::qWaitForWindowExposed(access.get()));
    }

    void cleanup()
    {
        Windows::clear();
        menu.reset();
        change.reset();
        access.reset();
        setProgramFolder(QString());
        dir.reset();
    }

    void access_opensReadyForTyping()
    {
        QCOMPARE(access->focusWidget(), edit(access.get(), "txtPassword"));
        QApplication::setActiveWindow(access.get());
        QVERIFY(QTest::qWaitForWindowActive(access.get()));
        QVERIFY(access->findChild<QWidget *>(QStringLiteral("effPassword"))->isVisible());
        QVERIFY(!button(access.get(), "cmdOK")->isEnabled());
        QCOMPARE(edit(access.get(), "txtPassword")->echoMode(), QLineEdit::Password);
    }

    void access_okFollowsTrimmedText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("blanks") << QStringLiteral("   ") << false;
        QTest::newRow("tab and blank") << QStringLiteral("\t ") << false;
        QTest::newRow("one letter") << QStringLiteral("a") << true;
        QTest::newRow("letter in blanks") << QStringLiteral("  a  ") << true;
    }
    void access_okFollowsTrimmedText()
    {
        QFETCH(QString, typed);
        QFETCH(bool, enabled);
        QLineEdit *field = edit(access.get(), "txtPassword");
        typeText(field, typed);
        QCOMPARE(button(access.get(), "cmdOK")->isEnabled(), enabled);
        QTest::keyClick(field, Qt::Key_Backspace, Qt::NoModifier);
        field->clear();
        QVERIFY(!button(access.get(), "cmdOK")->isEnabled());
    }

    void access_enterOnBlanksDoesNothing()
    {
        BoxRecorder boxes;
        login(QStringLiteral("    "), true);
        QVERIFY(boxes.boxes.isEmpty());
        QVERIFY(access->isVisible());
        QVERIFY(!menu->isVisible());
    }

    void access_login_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byEnter");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("lower case, OK") << QStringLiteral("iscrizionesoci") << false << true;
        QTest::newRow("upper case, Enter") << QStringLiteral("ISCRIZIONESOCI") << true << true;
        QTest::newRow("mixed case in blanks") << QStringLiteral("  IscrizioneSoci ") << false << true;
        QTest::newRow("one letter short") << QStringLiteral("iscrizionesoc") << false << false;
        QTest::newRow("inner blank") << QStringLiteral("iscrizione soci") << true << false;
        QTest::newRow("accented letter") << QStringLiteral("iscrizionesocì") << false << false;
    }
    void access_login()
    {
        QFETCH(QString, typed);
        QFETCH(bool, byEnter);
        QFETCH(bool, accepted);
        BoxRecorder boxes;
        login(typed, byEnter);
        if (accepted) {
            QVERIFY(boxes.boxes.isEmpty());
            QVERIFY(menu->isVisible());
            QVERIFY(menu->windowState() & Qt::WindowMaximized);
            QVERIFY(!access->isVisible());
        } else {
            QCOMPARE(boxes.boxes.size(), 1);
            QCOMPARE(boxes.boxes[0].first, MsgBox::Kind::Plain);
            QCOMPARE(boxes.boxes[0].second, PasswordMessages::wrongPassword());
            QVERIFY(edit(access.get(), "txtPassword")->text().isEmpty());
            QCOMPARE(access->focusWidget(), edit(access.get(), "txtPassword"));
            QVERIFY(access->isVisible());
            QVERIFY(!menu->isVisible());
        }
    }

    void access_storedValueProblems_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("fieldKept");
        QTest::newRow("corrupt value")
            << QByteArray("[Accesso]\r\nValore=ISCRIZIONESOCI\r\n") << PasswordMessages::readError() << true;
        QTest::newRow("no key") << QByteArray("[Accesso]\r\n") << PasswordMessages::wrongPassword() << false;
    }
    void access_storedValueProblems()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        QFETCH(bool, fieldKept);
        writePasswordFile(file);
        BoxRecorder boxes;
        login(QStringLiteral("iscrizionesoci"), false);
        QCOMPARE(boxes.texts(), QStringList{message});
        QCOMPARE(edit(access.get(), "txtPassword")->text().isEmpty(), !fieldKept);
        QVERIFY(access->isVisible());
        QVERIFY(!menu->isVisible());
    }

    void access_missingFileRefusesEverything()
    {
        QVERIFY(QFile::remove(Crypt::passwordFilePath()));
        BoxRecorder boxes;
        login(QStringLiteral("iscrizionesoci"), false);
        QCOMPARE(boxes.texts(), QStringList{PasswordMessages::wrongPassword()});
        QVERIFY(!QFile::exists(Crypt::passwordFilePath())); // never created by reading
    }

    void access_unreadableFileShowsReadError()
    {
        QVERIFY(QFile::setPermissions(Crypt::passwordFilePath(), QFileDevice::Permissions()));
        BoxRecorder boxes;
        {
            FilePermissionsEnforced enforced;
            login(QStringLiteral("iscrizionesoci"), false);
        }
        QCOMPARE(boxes.texts(), QStringList{PasswordMessages::readError()});
        QCOMPARE(edit(access.get(), "txtPassword")->text(), QStringLiteral("iscrizionesoci"));
        QVERIFY(!menu->isVisible());
    }

    void access_esciEndsProgram()
    {
        QVERIFY(endsProgram([this] { QTest::mouseClick(button(access.get(), "cmdEsci"), Qt::LeftButton); }));
        QVERIFY(!access->isVisible());
    }

    void change_opensEmptyEachTime()
    {
        openChangeWindow();
        QCOMPARE(change->focusWidget(), edit(change.get(), "txtPasswordOld"));
        fillChange(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"));
        QTest::mouseClick(button(change.get(), "cmdEsci"), Qt::LeftButton);
        openChangeWindow();
        for (const char *name : {"txtPasswordOld", "txtPasswordNew", "txtConferma"})
            QVERIFY2(edit(change.get(), name)->text().isEmpty(), name);
        QVERIFY(!button(change.get(), "cmdOK")->isEnabled());
        QCOMPARE(change->focusWidget(), edit(change.get(), "txtPasswordOld"));
    }

    void change_okNeedsAllThree_data()
    {
        QTest::addColumn<QString>("oldText");
        QTest::addColumn<QString>("newText");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("all three") << "a"
                                   << "b"
                                   << "c" << true;
        QTest::newRow("old blank") << "  "
                                   << "b"
                                   << "c" << false;
        QTest::newRow("new empty") << "a"
                                   << ""
                                   << "c" << false;
        QTest::newRow("confirmation blank") << "a"
                                            << "b"
                                            << " " << false;
    }
    void change_okNeedsAllThree()
    {
        QFETCH(QString, oldText);
        QFETCH(QString, newText);
        QFETCH(QString, confirm);
        QFETCH(bool, enabled);
        openChangeWindow();
        fillChange(oldText, newText, confirm);
        QCOMPARE(button(change.get(), "cmdOK")->isEnabled(), enabled);
    }

    void change_enterGoesRound()
    {
        openChangeWindow();
        QWidget *const ring[] = {edit(change.get(), "txtPasswordOld"), edit(change.get(), "txtPasswordNew"),
                                 edit(change.get(), "txtConferma"), edit(change.get(), "txtPasswordOld")};
        const QString bands[] = {QStringLiteral("effPasswordOld"), QStringLiteral("effPasswordNew"),
                                 QStringLiteral("effConferma"), QStringLiteral("effPasswordOld")};
        QApplication::setActiveWindow(change.get());
        QVERIFY(QTest::qWaitForWindowActive(change.get()));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(change->focusWidget(), ring[i]);
            QTest::keyClick(ring[i], Qt::Key_Return);
            QCOMPARE(change->focusWidget(), ring[i + 1]);
            for (const QString &band : {bands[0], bands[1], bands[2]})
                QCOMPARE(change->findChild<QWidget *>(band)->isVisible(), band == bands[i + 1]);
        }
    }

    void change_refused_data()
    {
        QTest::addColumn<QString>("oldText");
        QTest::addColumn<QString>("newText");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("emptied"); // fields emptied, in order
        QTest::addColumn<QString>("focus");
        QTest::newRow("wrong old") << "iscrizione"
                                   << "nuova"
                                   << "nuova" << PasswordMessages::wrongOldPassword() << "txtPasswordOld"
                                   << "txtPasswordOld";
        QTest::newRow("confirmation in other case")
            << "iscrizionesoci"
            << "nuova"
            << "NUOVA" << PasswordMessages::notConfirmed() << "txtPasswordNew txtConferma"
            << "txtPasswordNew";
        QTest::newRow("confirmation differs")
            << " ISCRIZIONESOCI"
            << "nuova"
            << "nuovo" << PasswordMessages::notConfirmed() << "txtPasswordNew txtConferma"
            << "txtPasswordNew";
        QTest::newRow("new password too long")
            << "iscrizionesoci" << QString(256, QLatin1Char('x')) << QString(256, QLatin1Char('x'))
            << PasswordMessages::changeError() << ""
            << "";
        QTest::newRow("new password outside Windows-1252")
            << "iscrizionesoci" << QStringLiteral("sociΩ") << QStringLiteral("sociΩ")
            << PasswordMessages::changeError() << ""
            << "";
    }
    void change_refused()
    {
        QFETCH(QString, oldText);
        QFETCH(QString, newText);
        QFETCH(QString, confirm);
        QFETCH(QString, message);
        QFETCH(QString, emptied);
        QFETCH(QString, focus);
        openChangeWindow();
        fillChange(oldText, newText, confirm);
        BoxRecorder boxes;
        QTest::mouseClick(button(change.get(), "cmdOK"), Qt::LeftButton);
        QCOMPARE(boxes.texts(), QStringList{message});
        QVERIFY(change->isVisible());
        QVERIFY(!access->isVisible());
        QCOMPARE(passwordFile(), kShipped);
        const QStringList empty = emptied.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const char *name : {"txtPasswordOld", "txtPasswordNew", "txtConferma"})
            QCOMPARE(edit(change.get(), name)->text().isEmpty(), empty.contains(QLatin1String(name)));
        if (!focus.isEmpty())
            QCOMPARE(change->focusWidget()->objectName(), focus);
    }

    void change_successStoresAndComesBack()
    {
        QTest::keyClicks(edit(access.get(), "txtPassword"), QStringLiteral("left over"));
        openChangeWindow();
        fillChange(QStringLiteral(" IscrizioneSoci "), QStringLiteral(" Nuova1 "), QStringLiteral("Nuova1"));
        BoxRecorder boxes;
        QTest::mouseClick(button(change.get(), "cmdOK"), Qt::LeftButton);
        QCOMPARE(boxes.texts(), QStringList{PasswordMessages::changeDone()});
        QCOMPARE(boxes.boxes[0].first, MsgBox::Kind::Plain);
        QCOMPARE(passwordFile(), "[Accesso]\r\nValore=" + Crypt::encode(u"NUOVA1")->toLatin1() + "\r\n");

        QVERIFY(!change->isVisible());
        QVERIFY(access->isVisible());
        QVERIFY(edit(access.get(), "txtPassword")->text().isEmpty());
        QCOMPARE(access->focusWidget(), edit(access.get(), "txtPassword"));

        login(QStringLiteral("iscrizionesoci"), false); // the old one no longer opens
        QCOMPARE(boxes.texts().last(), PasswordMessages::wrongPassword());
        login(QStringLiteral("nuova1"), true);
        QVERIFY(menu->isVisible());
        QVERIFY(!access->isVisible());
    }

    // Every Windows-1252 character can be part of a password: the change window stores it and the
    // access window takes it.
    void change_windows1252Password_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("typedAtLogin");
        QTest::newRow("euro sign") << QStringLiteral("€uro2024") << QStringLiteral("€URO2024");
        QTest::newRow("S caron, OE ligature") << QStringLiteral("ŠŒ žœ Ÿ") << QStringLiteral(" ŠŒ žœ Ÿ ");
        QTest::newRow("typographic quotes and dashes")
            << QStringLiteral("“soci” ‘a’ – … ™") << QStringLiteral("“SOCI” ‘A’ – … ™");
    }
    void change_windows1252Password()
    {
        QFETCH(QString, password);
        QFETCH(QString, typedAtLogin);
        openChangeWindow();
        fillChange(QStringLiteral("iscrizionesoci"), password, password);
        BoxRecorder boxes;
        QTest::mouseClick(button(change.get(), "cmdOK"), Qt::LeftButton);
        QCOMPARE(boxes.texts(), QStringList{PasswordMessages::changeDone()});
        QCOMPARE(passwordFile(), "[Accesso]\r\nValore=" +
                                     Crypt::encode(Crypt::normalisePassword(password))->toLatin1() + "\r\n");
        login(typedAtLogin, true);
        QCOMPARE(boxes.texts().size(), 1);
        QVERIFY(menu->isVisible());
    }

    // A program folder the user may not write into, with a password file the user may write: the
    // file is rewritten in place.
    void change_readOnlyFolderWritableFile()
    {
        const QFileDevice::Permissions folderMode = QFile::permissions(dir->path());
        QVERIFY(QFile::setPermissions(dir->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                       QFileDevice::ReadGroup | QFileDevice::ExeGroup));
        openChangeWindow();
        fillChange(QStringLiteral("iscrizionesoci"), QStringLiteral("cartella"), QStringLiteral("cartella"));
        BoxRecorder boxes;
        {
            FilePermissionsEnforced enforced;
            QTest::mouseClick(button(change.get(), "cmdOK"), Qt::LeftButton);
        }
        QVERIFY(QFile::setPermissions(dir->path(), folderMode));
        QCOMPARE(boxes.texts(), QStringList{PasswordMessages::changeDone()});
        QCOMPARE(passwordFile(), "[Accesso]\r\nValore=" + Crypt::encode(u"CARTELLA")->toLatin1() + "\r\n");
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("unins000.dll")});
        login(QStringLiteral("cartella"), false);
        QVERIFY(menu->isVisible());
    }

    void change_unwritableFileKeepsOldPassword()
    {
        openChangeWindow();
        fillChange(QStringLiteral("iscrizionesoci"), QStringLiteral("nuova"), QStringLiteral("nuova"));
        BoxRecorder boxes;
        {
            const FileSizeLimit refused(8); // not even root can write the file
            QTest::mouseClick(button(change.get(), "cmdOK"), Qt::LeftButton);
        }
        QCOMPARE(boxes.texts(), QStringList{PasswordMessages::changeError()});
        QVERIFY(change->isVisible());
        QCOMPARE(passwordFile(), kShipped);
        QCOMPARE(dir->path() + QLatin1Char('/'), programFolder());
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("unins000.dll")});

        QTest::mouseClick(button(change.get(), "cmdEsci"), Qt::LeftButton);
        login(QStringLiteral("iscrizionesoci"), false);
        QVERIFY(menu->isVisible());
    }

    void change_corruptStoredValue()
    {
        writePasswordFile("[Accesso]\r\nValore=5\xE9\r\n");
        openChangeWindow();
        fillChange(QStringLiteral("iscrizionesoci"), QStringLiteral("nuova"), QStringLiteral("nuova"));
        BoxRecorder boxes;
        QTest::mouseClick(button(change.get(), "cmdOK"), Qt::LeftButton);
        QCOMPARE(boxes.texts(), QStringList{PasswordMessages::changeError()});
        QVERIFY(change->isVisible());
        QCOMPARE(passwordFile(), QByteArray("[Accesso]\r\nValore=5\xE9\r\n"));
    }
};

QTEST_MAIN(tst_PasswordWindows)
#include "tst_passwordwindows.moc"
