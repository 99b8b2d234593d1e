#include "reports/ReportPreview.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace Reports {

namespace {
constexpr double kMinZoom = 0.25;
constexpr double kMaxZoom = 4.0;
constexpr double kZoomStep = 1.25;
constexpr int kGap = 16; // pixels around and between pages
} // namespace

// Paints the pages at the chosen zoom, one below the other; only the pages in view are painted.
class PageView : public QWidget
{
public:
    PageView(const PreparedReport *report, QWidget *parent) : QWidget(parent), m_report(report)
    {
        setObjectName(QStringLiteral("pagine"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    // Size in pixels of a page at zoom 1 on this widget's screen.
    QSizeF pageSize100() const
    {
        const QSizeF mm = m_report->pageSizeMm();
        return QSizeF(mm.width() / kMmPerInch * logicalDpiX(), mm.height() / kMmPerInch * logicalDpiY());
    }

    void setZoom(double zoom)
    {
        m_zoom = zoom;
        const QSizeF page = pageSize100() * zoom;
        const int n = int(m_report->pages.size());
        resize(qCeil(page.width()) + 2 * kGap, n * (qCeil(page.height()) + kGap) + kGap);
        update();
    }

    double zoom() const { return m_zoom; }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), QColor(0x80, 0x80, 0x80));
        const QSizeF page = pageSize100() * m_zoom;
        const int pageHeight = qCeil(page.height());
        for (int i = 0; i < m_report->pages.size(); ++i) {
            const QRect frame(kGap, kGap + i * (pageHeight + kGap), qCeil(page.width()), pageHeight);
            if (!frame.intersects(event->rect()))
                continue;
            painter.fillRect(frame.translated(3, 3), QColor(0x50, 0x50, 0x50));
            painter.fillRect(frame, Qt::white);
            painter.save();
            painter.setClipRect(frame);
            painter.translate(frame.topLeft());
            painter.scale(m_zoom, m_zoom);
            paintPage(painter, *m_report, i);
            painter.restore();
        }
    }

private:
    const PreparedReport *m_report;
    double m_zoom = 1.0;
};

ReportPreview::ReportPreview(const PreparedReport &report, QWidget *parent)
    : QDialog(parent), m_report(report)
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(QStringLiteral(" Anteprima di stampa"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setSizeGripEnabled(true);

    auto button = [this](const char *name, const QString &text, const QString &tip, const char *icon) {
        auto *b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setToolTip(tip);
        b->setIcon(QIcon(QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(icon))));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        return b;
    };
    QToolButton *print =
        button("btnStampa", QStringLiteral("Stampa"), QStringLiteral("Stampa il documento"), "stampa");
    QToolButton *zoomIn = button("btnIngrandisci", QStringLiteral("Ingrandisci"),
                                 QStringLiteral("Ingrandisce la pagina"), "zoom");
    QToolButton *zoomOut =
        button("btnRiduci", QStringLiteral("Riduci"), QStringLiteral("Riduce la pagina"), "zoom");
    QToolButton *fit = button("btnAdatta", QStringLiteral("Pagina intera"),
                              QStringLiteral("Adatta la pagina alla finestra"), "anteprima");
    m_fullScreen = button("btnSchermoIntero", QStringLiteral("Schermo intero"),
                          QStringLiteral("Mostra l'anteprima a schermo intero"), "anteprima");
    m_fullScreen->setCheckable(true);
    QToolButton *close =
        button("btnChiudi", QStringLiteral("Chiudi"), QStringLiteral("Chiude l'anteprima"), "esci");

    m_zoomLabel = new QLabel(this);
    m_zoomLabel->setObjectName(QStringLiteral("lblZoom"));
    auto *pages = new QLabel(this);
    pages->setObjectName(QStringLiteral("lblPagine"));
    const int count = int(m_report.pages.size());
    pages->setText(count == 1 ? QStringLiteral("1 pagina") : QStringLiteral("%1 pagine").arg(count));

    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(6, 4, 6, 4);
    for (QWidget *w :
         {static_cast<QWidget *>(print), static_cast<QWidget *>(zoomIn), static_cast<QWidget *>(zoomOut),
          static_cast<QWidget *>(fit), static_cast<QWidget *>(m_fullScreen)})
        bar->addWidget(w);
    bar->addSpacing(12);
    bar->addWidget(m_zoomLabel);
    bar->addSpacing(12);
    bar->addWidget(pages);
    bar->addStretch(1);
    bar->addWidget(close);

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrPagine"));
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_view = new PageView(&m_report, m_scroll);
    m_scroll->setWidget(m_view);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);

    connect(print, &QToolButton::clicked, this, &ReportPreview::printReport);
    connect(zoomIn, &QToolButton::clicked, this, &ReportPreview::zoomIn);
    connect(zoomOut, &QToolButton::clicked, this, &ReportPreview::zoomOut);
    connect(fit, &QToolButton::clicked, this, &ReportPreview::fitToWindow);
    connect(m_fullScreen, &QToolButton::clicked, this, &ReportPreview::toggleFullScreen);
    connect(close, &QToolButton::clicked, this, &QDialog::accept);
    auto *in = new QShortcut(QKeySequence::ZoomIn, this);
    connect(in, &QShortcut::activated, this, &ReportPreview::zoomIn);
    auto *out = new QShortcut(QKeySequence::ZoomOut, this);
    connect(out, &QShortcut::activated, this, &ReportPreview::zoomOut);

    resize(1000, 760);
    setZoom(1.0);
}

double ReportPreview::zoom() const
{
    return m_view->zoom();
}

bool ReportPreview::printSucceeded(QString *error) const
{
    if (m_printFailed && error)
        *error = m_printError;
    return !m_printFailed;
}

void ReportPreview::setZoom(double zoom)
{
    zoom = qBound(kMinZoom, zoom, kMaxZoom);
    m_view->setZoom(zoom);
    m_zoomLabel->setText(QStringLiteral("%1%").arg(qRound(zoom * 100)));
}

void ReportPreview::zoomIn()
{
    m_fitting = false;
    setZoom(zoom() * kZoomStep);
}

void ReportPreview::zoomOut()
{
    m_fitting = false;
    setZoom(zoom() / kZoomStep);
}

void ReportPreview::fitToWindow()
{
    m_fitting = true;
    const QSizeF page = m_view->pageSize100();
    const QSize room = m_scroll->viewport()->size() - QSize(2 * kGap, 2 * kGap);
    if (page.isEmpty() || room.width() <= 0 || room.height() <= 0)
        return;
    setZoom(qMin(room.width() / page.width(), room.height() / page.height()));
}

void ReportPreview::toggleFullScreen()
{
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
    m_fullScreen->setChecked(isFullScreen());
}

void ReportPreview::printReport()
{
    QString error;
    if (!print(m_report, this, &error)) {
        m_printFailed = true;
        m_printError = error;
        reject();
    }
}

void ReportPreview::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_fitting) {
        layout()->activate();
        fitToWindow();
    }
}

void ReportPreview::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (m_fitting && isVisible())
        fitToWindow();
}

} // namespace Reports
