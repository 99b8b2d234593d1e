#include "takings/TfrmRiepCosti.h"

#include "common/BackgroundWork.h"
#include "common/Formats.h"
#include "common/HelpTopics.h"
#include "common/MsgBox.h"
#include "common/PictureButton.h"
#include "common/TextUtil.h"
#include "common/TfrmGuida.h"
#include "reports/ListPanel.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

const char *const kStyle = R"(
TfrmRiepCosti { background: #FFFFFF; }
QLabel[caption="true"] { color: #1E2A4A; font-weight: bold; }
QLabel#titTipologia, QLabel#lblIntervallo { color: #00008B; font-weight: bold; }
QLabel#lblTotCosti { color: #8B0000; font-weight: bold; font-size: 14pt; }
)";

const QString kInitialInterval = QStringLiteral("Dal gg/mm/aaaa al gg/mm/aaaa");
const QString kInitialTotal = QStringLiteral("0,00");

// The last find text outlives each summary window: a new summary finds on from where the user
// left the previous one.
QString &lastFind()
{
    static QString text;
    return text;
}

ListPanel::Texts panelTexts()
{
    ListPanel::Texts t;
    t.page.title = QStringLiteral("Riepilogo incassi");
    t.page.reportName = QStringLiteral("Riepilogo incassi");
    t.page.footer = QStringLiteral("Stampa eseguita in data [DATE] alle ore [TIME]");
    t.printButton = QStringLiteral("Stampa riepilogo");
    t.closeButton = QStringLiteral("Esci");
    t.closeButtonName = QStringLiteral("btnEsci");
    t.emptyPrintWarning =
        QStringLiteral("Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce.");
    t.printQuestion = QStringLiteral("Si vuole stampare il presente riepilogo?");
    return t;
}

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
    panContainer = new ListPanel(panelTexts(), this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setLastFindStore(&lastFind());
    // Made after the list, so that Tab reaches it last: the window starts in the list's find field.
    imgGuida = new PictureButton(QStringLiteral(":/pictures/help.svg"), QSize(40, 40), this);
    imgGuida->setObjectName(QStringLiteral("imgGuida"));
    imgGuida->setClickable(true, QStringLiteral("Guida"));

    auto *foot = new QWidget;
    lblIntervallo = new QLabel(kInitialInterval, foot);
    lblIntervallo->setObjectName(QStringLiteral("lblIntervallo"));
    lblTotCosti = new QLabel(kInitialTotal, foot);
    lblTotCosti->setObjectName(QStringLiteral("lblTotCosti"));
    auto *footLayout = new QGridLayout(foot);
    footLayout->setContentsMargins(0, 4, 0, 4);
    footLayout->addWidget(caption("Intervallo selezionato:", foot), 0, 0);
    footLayout->addWidget(lblIntervallo, 0, 1);
    footLayout->addWidget(caption("Totale importi incassati:", foot), 1, 0);
    footLayout->addWidget(lblTotCosti, 1, 1);
    footLayout->setColumnStretch(2, 1);
    panContainer->setFooter(foot);

    auto *top = new QHBoxLayout;
    top->addWidget(caption("Pagatore:", this));
    top->addWidget(titTipologia, 1);
    top->addWidget(imgGuida);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addLayout(top);
    layout->addWidget(panContainer, 1);

    connect(imgGuida, &PictureButton::clicked, this, &TfrmRiepCosti::imgGuidaClick);
    connect(panContainer, &ListPanel::closeRequested, this, &QDialog::close);
    setWindowState(Qt::WindowMaximized);
}

void TfrmRiepCosti::setRequest(Takings::SummaryRequest request)
{
    m_request = std::move(request);
}

void TfrmRiepCosti::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        buildSummary();
        panContainer->findField()->setFocus();
    }
}

void TfrmRiepCosti::buildSummary()
{
    const QString payer = trimBlanks(m_request.filter.payer);
    titTipologia->setText(payer.isEmpty() ? QStringLiteral("- - -") : payer);
    panContainer->clearList();
    lblIntervallo->setText(kInitialInterval);
    lblTotCosti->setText(kInitialTotal);

    // A very large year file is read on a thread of its own, so that the window keeps answering
    // (and can stop it); an ordinary one at once.
    if (QFileInfo(m_request.yearFilePath).size() <= kReadInBackground) {
        showSummary(Takings::buildSummary(m_request.yearFilePath, m_request.filter));
        return;
    }
    auto summary = std::make_shared<Takings::Summary>();
    const Takings::SummaryRequest request = m_request;
    m_building = new BackgroundWork(
        this, QStringLiteral("Calcolo del riepilogo in corso..."),
        [request, summary](ReadProgress &) {
            *summary = Takings::buildSummary(request.yearFilePath, request.filter);
        },
        [this, summary] {
            m_building->deleteLater();
            showSummary(*summary);
        });
}

void TfrmRiepCosti::showSummary(const Takings::Summary &summary)
{
    if (summary.cancelled) {
        lblTotCosti->clear(); // stopped by the user: neither lines nor total
        return;
    }
    if (summary.error) {
        // No lines and no total: a part of the takings must never pass for all of them.
        lblTotCosti->clear();
        const QString message = summary.error->message;
        QMetaObject::invokeMethod(
            this, [this, message] { MsgBox::error(this, message); }, Qt::QueuedConnection);
        return;
    }
    // File order; each line is made when the list shows it.
    panContainer->setLazyLines(
        int(summary.lines.size()), [lines = summary.lines](int row) { return lines.at(row); },
        summary.lines.longest());
    lblIntervallo->setText(summary.interval);
    lblTotCosti->setText(summary.total);
    panContainer->setPrintTrailer(
        {QStringLiteral("- - - - - - - - - - - - - - - -"),
         QStringLiteral("INTERVALLO SELEZIONATO:    ") + trimBlanks(summary.interval),
         QStringLiteral("TOTALE IMPORTI INCASSATI:  € ") + trimBlanks(summary.total)});
}

void TfrmRiepCosti::imgGuidaClick()
{
    showHelpTopic(this, QStringLiteral("App Riepilogo Incassi"));
}

void TfrmRiepCosti::done(int result)
{
    if (m_building)
        m_building->cancel();
    panContainer->clearList();
    if (m_request.closed)
        m_request.closed();
    QDialog::done(result);
}
