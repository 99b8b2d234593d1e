// Screen readers: every control a user can reach in every window of the program, the windows of
// the set and the one-use windows, has an accessible name (what a screen reader says of it), and
// a field's name is the text of the label beside it.
#include "TestSupport.h"

#include "app/Application.h"
#include "app/TfrmCambiaPassword.h"
#include "app/TfrmInfo.h"
#include "cards/TfrmAnteprimaTessera.h"
#include "cards/TfrmDatiEnte.h"
#include "cards/TfrmStampaTessera.h"
#include "common/MsgBox.h"
#include "common/ProgramFolder.h"
#include "common/TfrmCalendario.h"
#include "common/TfrmCodFisc.h"
#include "common/TfrmGuida.h"
#include "common/TfrmPartitaIva.h"
#include "members/TfrmAllegaCartella.h"
#include "members/TfrmAnteprimaTiratori.h"
#include "members/TfrmCertScaduti.h"
#include "members/TfrmExpTiratori.h"
#include "members/TfrmStampaTiratori.h"
#include "members/TfrmTessereScadute.h"
#include "members/TfrmTrovaTiratori.h"
#include "members/TfrmWebCam.h"
#include "members/TfrmZoom.h"
#include "receipts/TfrmAnteprimaRic.h"
#include "receipts/TfrmExpRic.h"
#include "receipts/TfrmLogo.h"
#include "receipts/TfrmNumerazione.h"
#include "receipts/TfrmStampaRic.h"
#include "receipts/TfrmTrovaRic.h"
#include "takings/TfrmRiepCosti.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

using Make = std::function<QWidget *()>;

template <typename W> Make make()
{
    return [] { return new W; };
}

// The one-use windows, opened by the windows of the set.
const QList<QPair<const char *, Make>> &oneUseWindows()
{
    static const QList<QPair<const char *, Make>> windows = {
        {"TfrmCambiaPassword", make<TfrmCambiaPassword>()},
        {"TfrmInfo", make<TfrmInfo>()},
        {"TfrmAnteprimaTessera", make<TfrmAnteprimaTessera>()},
        {"TfrmDatiEnte", make<TfrmDatiEnte>()},
        {"TfrmStampaTessera", make<TfrmStampaTessera>()},
        {"TfrmCalendario", make<TfrmCalendario>()},
        {"TfrmCodFisc", make<TfrmCodFisc>()},
        {"TfrmGuida", make<TfrmGuida>()},
        {"TfrmPartitaIva", make<TfrmPartitaIva>()},
        {"TfrmAllegaCartella", make<TfrmAllegaCartella>()},
        {"TfrmAnteprimaTiratori", make<TfrmAnteprimaTiratori>()},
        {"TfrmCertScaduti", make<TfrmCertScaduti>()},
        {"TfrmExpTiratori", make<TfrmExpTiratori>()},
        {"TfrmStampaTiratori", make<TfrmStampaTiratori>()},
        {"TfrmTessereScadute", make<TfrmTessereScadute>()},
        {"TfrmTrovaTiratori", make<TfrmTrovaTiratori>()},
        {"TfrmWebCam", make<TfrmWebCam>()},
        {"TfrmZoom", make<TfrmZoom>()},
        {"TfrmAnteprimaRic", make<TfrmAnteprimaRic>()},
        {"TfrmExpRic", make<TfrmExpRic>()},
        {"TfrmLogo", make<TfrmLogo>()},
        {"TfrmNumerazione", make<TfrmNumerazione>()},
        {"TfrmStampaRic", make<TfrmStampaRic>()},
        {"TfrmTrovaRic", make<TfrmTrovaRic>()},
        {"TfrmRiepCosti", make<TfrmRiepCosti>()},
    };
    return windows;
}

// A control of its own that the user reaches: it takes the focus with Tab or a click, and is
// not a part of another control (the field inside a combo box, a view's scroll bars).
bool reachable(const QWidget *w, const QWidget *window)
{
    if (!(w->focusPolicy() & Qt::TabFocus) && !(w->focusPolicy() & Qt::ClickFocus))
        return false;
    if (!w->isVisibleTo(window) || qobject_cast<const QScrollBar *>(w))
        return false;
    for (const QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (qobject_cast<const QComboBox *>(p) || qobject_cast<const QAbstractSpinBox *>(p) ||
            qobject_cast<const QCalendarWidget *>(p))
            return false;
    return true;
}

// "TfrmX: ctlName (QLineEdit)" for each reachable control of `window` without a name.
QStringList unnamedControls(const char *windowName, QWidget *window)
{
    QStringList unnamed;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!reachable(w, window))
            continue;
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
        if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << QStringLiteral("%1: %2 (%3)")
                           .arg(QLatin1String(windowName), w->objectName(),
                                QLatin1String(w->metaObject()->className()));
    }
    return unnamed;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        corvallaTestInit();
        QVERIFY(m_dir.isValid());
        setProgramFolder(m_dir.path());
        MsgBox::setTestHook([](MsgBox::Kind, const QString &) { return MsgBox::Answer::Ok; });
        QAccessible::setActive(true);
    }

    void everyReachableControlHasAName()
    {
        QStringList unnamed;
        for (const Corvalla::WindowEntry &e : Corvalla::windowSet()) {
            std::unique_ptr<QWidget> window(e.create());
            unnamed << unnamedControls(e.className, window.get());
        }
        for (const auto &entry : oneUseWindows()) {
            std::unique_ptr<QWidget> window(entry.second());
            unnamed << unnamedControls(entry.first, window.get());
        }
        for (const QString &control : unnamed)
            qWarning("without a name: %s", qPrintable(control));
        QVERIFY2(unnamed.isEmpty(), "reachable controls without a name (listed above)");
    }

    // A field is named by the label beside it: its buddy.
    void fieldsAreNamedByTheirLabels_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("name");
        QTest::newRow("member name") << "TfrmTiratori"
                                     << "txtTiratore"
                                     << "Cognome e nome";
        QTest::newRow("receipt payer") << "TfrmRicevuta"
                                       << "txtPagatore"
                                       << "Riceviamo da";
        QTest::newRow("summary year") << "TfrmMenuRiepCosti"
                                      << "txtAnno"
                                      << "Anno";
    }
    void fieldsAreNamedByTheirLabels()
    {
        QFETCH(QString, window);
        QFETCH(QString, field);
        QFETCH(QString, name);
        for (const Corvalla::WindowEntry &e : Corvalla::windowSet()) {
            if (window != QLatin1String(e.className))
                continue;
            std::unique_ptr<QWidget> w(e.create());
            auto *control = w->findChild<QWidget *>(field);
            QVERIFY(control);
            const QString said = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
            QVERIFY2(said.startsWith(name), qPrintable(said));
            return;
        }
        QFAIL("no such window");
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
