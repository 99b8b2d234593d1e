#include "receipts/TfrmMenuRicevute.h"

#include "common/CallerContext.h"
#include "common/FieldConventions.h"
#include "common/Formats.h"
#include "common/HelpTopics.h"
#include "common/MsgBox.h"
#include "common/PictureButton.h"
#include "common/TextUtil.h"
#include "common/TfrmGuida.h"

#include <QCloseEvent>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

const QString kStartContext = QStringLiteral("avvio");
const QString kOpenedContext = QStringLiteral("ricevute");
const QString kDigits = QStringLiteral("0123456789");
constexpr int kYearLength = 4;

const char *const kStyle = R"(
QGroupBox#grpArchivio {
    background: #FFFFFF;
    border: 1px solid #9FB4E3;
    border-radius: 8px;
    margin-top: 14px;
    padding: 18px 16px 14px 16px;
    font-weight: bold;
    color: #00008B;
}
QGroupBox#grpArchivio::title { subcontrol-origin: margin; left: 12px; padding: 0 4px; }
QLabel#lblIntro { color: #00008B; font-size: 13pt; }
QLabel#lblAnno { color: #1E2A4A; font-weight: normal; }
QLineEdit#txtAnnoPreventivi { font-size: 14pt; font-weight: bold; }
)";

} // namespace

TfrmMenuRicevute::TfrmMenuRicevute(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TfrmMenuRicevute"));
    setWindowTitle(QStringLiteral(" Corvalla - Stampa Ricevute"));
    Formats::applyProcessFormats();
    addCallerContextLabel(this);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    auto *tile = new PictureButton(QStringLiteral(":/pictures/tile03.svg"), QSize(260, 200), this);
    tile->setObjectName(QStringLiteral("imgRicevute"));
    auto *intro = new QLabel(
        QStringLiteral(
            "In questo ambiente è possibile archiviare e stampare ricevute di pagamento generiche."),
        this);
    intro->setObjectName(QStringLiteral("lblIntro"));

    auto *box = new QGroupBox(QStringLiteral("Archivio ricevute di pagamento:"), this);
    box->setObjectName(QStringLiteral("grpArchivio"));
    auto *yearLabel = new QLabel(QStringLiteral("Anno:"), box);
    yearLabel->setObjectName(QStringLiteral("lblAnno"));
    txtAnnoPreventivi = new QLineEdit(box);
    txtAnnoPreventivi->setObjectName(QStringLiteral("txtAnnoPreventivi"));
    txtAnnoPreventivi->setMaxLength(kYearLength);
    txtAnnoPreventivi->setAlignment(Qt::AlignCenter);
    txtAnnoPreventivi->setFixedWidth(90);
    yearLabel->setBuddy(txtAnnoPreventivi);
    btnApriPreventivi = new QPushButton(QStringLiteral("Apri"), box);
    btnApriPreventivi->setObjectName(QStringLiteral("btnApriPreventivi"));
    btnApriPreventivi->setAutoDefault(true); // Enter on the focused button opens the year
    auto *row = new QHBoxLayout(box);
    row->addWidget(yearLabel);
    row->addWidget(txtAnnoPreventivi);
    row->addSpacing(12);
    row->addWidget(btnApriPreventivi);

    Conventions::setCharacterFilter(txtAnnoPreventivi, kDigits, btnApriPreventivi);
    Conventions::refuseOtherCharacters(txtAnnoPreventivi, kDigits);

    auto *imgGuida = new PictureButton(QStringLiteral(":/pictures/help.svg"), QSize(64, 64), this);
    imgGuida->setObjectName(QStringLiteral("imgGuida"));
    imgGuida->setClickable(true, QStringLiteral("Guida"));
    auto *imgEsci = new PictureButton(QStringLiteral(":/pictures/exit.svg"), QSize(64, 64), this);
    imgEsci->setObjectName(QStringLiteral("imgEsci"));
    imgEsci->setClickable(true, QStringLiteral("Esci"));

    auto *centre = new QVBoxLayout;
    centre->addStretch(2);
    centre->addWidget(tile, 0, Qt::AlignHCenter);
    centre->addSpacing(16);
    centre->addWidget(intro, 0, Qt::AlignHCenter);
    centre->addSpacing(24);
    centre->addWidget(box, 0, Qt::AlignHCenter);
    centre->addStretch(3);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addWidget(imgGuida, 0, 2, Qt::AlignRight | Qt::AlignTop);
    layout->addWidget(imgEsci, 2, 2, Qt::AlignRight | Qt::AlignBottom);
    layout->addLayout(centre, 0, 1, 3, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);
    layout->setColumnMinimumWidth(0, 64);
    setStyleSheet(QLatin1String(kStyle));

    connect(btnApriPreventivi, &QPushButton::clicked, this, &TfrmMenuRicevute::btnApriPreventiviClick);
    connect(imgGuida, &PictureButton::clicked, this, &TfrmMenuRicevute::imgGuidaClick);
    connect(imgEsci, &PictureButton::clicked, this, &QWidget::close);
    setWindowState(Qt::WindowMaximized);
}

void TfrmMenuRicevute::showEvent(QShowEvent *event)
{
    // A window coming back from the task bar is not a new visit.
    if (!event->spontaneous()) {
        txtAnnoPreventivi->setText(QString::number(QDate::currentDate().year()));
        setCallerContext(this, kStartContext);
        m_openedYear.clear();
        txtAnnoPreventivi->setFocus(Qt::OtherFocusReason);
        txtAnnoPreventivi->selectAll();
    }
    QWidget::showEvent(event);
}

void TfrmMenuRicevute::closeEvent(QCloseEvent *event)
{
    // The next window first, so that one window is always on screen.
    if (m_openedYear.isEmpty())
        emit closed();
    else
        emit yearOpened(m_openedYear);
    event->accept(); // hides the year menu; it lives on for the next visit
}

void TfrmMenuRicevute::btnApriPreventiviClick()
{
    if (txtAnnoPreventivi->text().size() != kYearLength) {
        MsgBox::warning(this,
                        QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
        txtAnnoPreventivi->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_openedYear = trimBlanks(txtAnnoPreventivi->text());
    setCallerContext(this, kOpenedContext);
    close();
}

void TfrmMenuRicevute::imgGuidaClick()
{
    showHelpTopic(this, QStringLiteral("App Stampa Ricevute"));
}
