#include "takings/TfrmRiepCosti.h"

#include "common/HelpTopics.h"
#include "common/PictureButton.h"
#include "common/Formats.h"
#include "common/MsgBox.h"
#include "common/TextUtil.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMetaObject>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

const char *const kStyle = R"(
TfrmRiepCosti { background: #FFFFFF; }
QLabel[caption="true"] { color: #1E2A4A; font-weight: bold; }
QLabel#titTipologia, QLabel#lblIntervallo { color: #00008B; font-weight: bold; }
QLabel#lblTotCosti { color: #8B0000; font-weight: bold; font-size: 14pt; }
QPushButton { min-width: 140px; min-height: 28px; }
)";

const QString kInitialInterval = QStringLiteral("Dal gg/mm/aaaa al gg/mm/aaaa");
const QString kInitialTotal = QStringLiteral("0,00");

QLabel *caption(const char *text, QWidget *parent)
{
    auto *l = new QLabel(QString::fromUtf8(text), parent);
    l->setProperty("caption", true);
    return l;
}

} // namespace

TfrmRiepCosti::TfrmRiepCosti(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmRiepCosti"));
    setWindowTitle(QStringLiteral(" Corvalla - Riepilogo Incassi"));
    Formats::applyProcessFormats();
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QLatin1String(kStyle));

    titTipologia = new QLabel(QStringLiteral("- - -"), this);
    titTipologia->setObjectName(QStringLiteral("titTipologia"));
    imgGuida = new PictureButton(QStringLiteral(":/pictures/help.svg"), QSize(40, 40), this);
    imgGuida->setObjectName(QStringLiteral("imgGuida"));
    imgGuida->setClickable(true);

    lstRiepilogo = new QListWidget(this);
    lstRiepilogo->setObjectName(QStringLiteral("lstRiepilogo"));
    lstRiepilogo->setUniformItemSizes(true);
    lstRiepilogo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRiepilogo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont mono(QStringLiteral("Courier New"), 12);
    mono.setStyleHint(QFont::TypeWriter);
    lstRiepilogo->setFont(mono);

    lblIntervallo = new QLabel(kInitialInterval, this);
    lblIntervallo->setObjectName(QStringLiteral("lblIntervallo"));
    lblTotCosti = new QLabel(kInitialTotal, this);
    lblTotCosti->setObjectName(QStringLiteral("lblTotCosti"));
    btnEsci = new QPushButton(QStringLiteral("Esci"), this);
    btnEsci->setObjectName(QStringLiteral("btnEsci"));
    btnEsci->setAutoDefault(false);

    auto *top = new QHBoxLayout;
    top->addWidget(caption("Pagatore:", this));
    top->addWidget(titTipologia, 1);
    top->addWidget(imgGuida);

    auto *foot = new QGridLayout;
    foot->addWidget(caption("Intervallo selezionato:", this), 0, 0);
    foot->addWidget(lblIntervallo, 0, 1);
    foot->addWidget(caption("Totale importi incassati:", this), 1, 0);
    foot->addWidget(lblTotCosti, 1, 1);
    foot->setColumnStretch(2, 1);
    foot->addWidget(btnEsci, 1, 3);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addLayout(top);
    layout->addWidget(lstRiepilogo, 1);
    layout->addLayout(foot);

    connect(imgGuida, &PictureButton::clicked, this, &TfrmRiepCosti::imgGuidaClick);
    connect(btnEsci, &QPushButton::clicked, this, &QDialog::close);
    setWindowState(Qt::WindowMaximized);
}

void TfrmRiepCosti::setRequest(Takings::SummaryRequest request)
{
    m_request = std::move(request);
}

void TfrmRiepCosti::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        buildSummary();
}

void TfrmRiepCosti::buildSummary()
{
    const QString payer = trimBlanks(m_request.filter.payer);
    titTipologia->setText(payer.isEmpty() ? QStringLiteral("- - -") : payer);
    lstRiepilogo->clear();
    lblIntervallo->setText(kInitialInterval);
    lblTotCosti->setText(kInitialTotal);

    const Takings::Summary summary = Takings::buildSummary(m_request.yearFilePath, m_request.filter);
    if (summary.error) {
        // No lines and no total: a part of the takings must never pass for all of them.
        lblTotCosti->clear();
        const QString message = summary.error->message;
        QMetaObject::invokeMethod(
            this, [this, message] { MsgBox::error(this, message); }, Qt::QueuedConnection);
        return;
    }
    lstRiepilogo->addItems(summary.lines);
    lblIntervallo->setText(summary.interval);
    lblTotCosti->setText(summary.total);
}

void TfrmRiepCosti::imgGuidaClick()
{
    showHelpTopic(this, QStringLiteral("App Riepilogo Incassi"));
}

void TfrmRiepCosti::done(int result)
{
    lstRiepilogo->clear();
    if (m_request.closed)
        m_request.closed();
    QDialog::done(result);
}
