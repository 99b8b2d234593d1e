#include "app/TfrmAvvio.h"

#include "app/Application.h"
#include "app/ProgramInfo.h"
#include "app/TfrmInfo.h"
#include "app/TfrmSplash.h"
#include "app/WindowRegistry.h"
#include "common/HelpTopics.h"
#include "common/OpenURL.h"
#include "common/PictureButton.h"
#include "common/TfrmGuida.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
const QSize kTileSize(260, 200);
const QSize kCaptionSize(300, 46);
const QSize kCornerSize(64, 64);
} // namespace

PictureButton *TfrmAvvio::picture(const QString &name, const QString &resource, const QSize &size,
                                  void (TfrmAvvio::*click)(), const QString &spoken)
{
    auto *p =
        new PictureButton(QStringLiteral(":/pictures/") + resource + QStringLiteral(".svg"), size, this);
    p->setObjectName(name);
    if (click) {
        p->setClickable(true, spoken);
        connect(p, &PictureButton::clicked, this, click);
    }
    return p;
}

namespace {
using Handler = void (TfrmAvvio::*)();

// What a screen reader calls the four tiles, left to right and top to bottom.
const char *const kTileNames[4] = {"Archivio Iscritti", "Stampa Tessere", "Stampa Ricevute",
                                   "Riepilogo Incassi"};
} // namespace

TfrmAvvio::TfrmAvvio(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TfrmAvvio"));
    setWindowTitle(QStringLiteral(" Corvalla"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setWindowState(Qt::WindowMaximized);

    // Tab goes tile by tile, then round the corners, then to the banner.
    QList<QWidget *> tabOrder;
    QLayout *tiles = makeTiles(tabOrder);

    auto *centre = new QVBoxLayout;
    centre->addWidget(picture(QStringLiteral("imgTitolo"), QStringLiteral("title"), QSize(900, 110)), 0,
                      Qt::AlignHCenter);
    centre->addWidget(picture(QStringLiteral("imgSottotitolo"), QStringLiteral("subtitle"), QSize(1100, 60)),
                      0, Qt::AlignHCenter);
    centre->addStretch(1);
    auto *tilesRow = new QHBoxLayout; // keeps the four tiles together in the middle
    tilesRow->addStretch(1);
    tilesRow->addLayout(tiles);
    tilesRow->addStretch(1);
    centre->addLayout(tilesRow);
    centre->addStretch(1);
    PictureButton *banner = picture(QStringLiteral("icoSito"), QStringLiteral("banner"), QSize(1100, 40),
                                    &TfrmAvvio::icoSitoClick, QStringLiteral("Sito web di Corvalla"));
    centre->addWidget(banner, 0, Qt::AlignHCenter | Qt::AlignBottom);

    struct Corner
    {
        const char *name;
        const char *resource;
        Handler click;
        const char *spoken;
        int row, column;
        Qt::Alignment alignment;
    };
    static const Corner kCorners[] = {
        {"imgInfo", "info", &TfrmAvvio::imgInfoClick, "Informazioni su Corvalla", 0, 0,
         Qt::AlignLeft | Qt::AlignTop},
        {"imgGuida", "help", &TfrmAvvio::imgGuidaClick, "Guida", 0, 2, Qt::AlignRight | Qt::AlignTop},
        {"imgCrediti", "credits", &TfrmAvvio::imgCreditiClick, "Crediti", 2, 0,
         Qt::AlignLeft | Qt::AlignBottom},
        {"imgEsci", "exit", &TfrmAvvio::imgEsciClick, "Esci", 2, 2, Qt::AlignRight | Qt::AlignBottom},
    };
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    for (const Corner &c : kCorners) {
        PictureButton *corner = picture(QLatin1String(c.name), QLatin1String(c.resource), kCornerSize,
                                        c.click, QString::fromUtf8(c.spoken));
        layout->addWidget(corner, c.row, c.column, c.alignment);
        tabOrder.append(corner);
    }
    tabOrder.append(banner);
    layout->addLayout(centre, 0, 1, 3, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);
    for (int i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

// The four tiles in a two-by-two grid: a picture above its caption picture, one handler for both;
// the caption hands the focus to its picture, so that Tab stops once at each tile.
QLayout *TfrmAvvio::makeTiles(QList<QWidget *> &tabOrder)
{
    const Handler tileHandlers[4] = {&TfrmAvvio::imgApp01Click, &TfrmAvvio::imgApp02Click,
                                     &TfrmAvvio::imgApp03Click, &TfrmAvvio::imgApp04Click};
    auto *tiles = new QGridLayout;
    tiles->setHorizontalSpacing(80);
    tiles->setVerticalSpacing(24);
    for (int i = 0; i < 4; ++i) {
        const QString n = QStringLiteral("0%1").arg(i + 1);
        const QString spoken = QString::fromUtf8(kTileNames[i]);
        PictureButton *tile = picture(QStringLiteral("imgApp") + n, QStringLiteral("tile") + n, kTileSize,
                                      tileHandlers[i], spoken);
        PictureButton *caption = picture(QStringLiteral("btnApp") + n, QStringLiteral("caption") + n,
                                         kCaptionSize, tileHandlers[i], spoken);
        caption->setFocusProxy(tile);
        auto *column = new QVBoxLayout;
        column->setSpacing(4);
        column->addWidget(tile, 0, Qt::AlignHCenter);
        column->addWidget(caption, 0, Qt::AlignHCenter);
        tiles->addLayout(column, i / 2, i % 2);
        tabOrder.append(tile);
    }
    return tiles;
}

void TfrmAvvio::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    Corvalla::endProgram();
}

void TfrmAvvio::openWorkArea(const char *className)
{
    QWidget *area = Windows::find(className);
    if (!area)
        return;
    area->showMaximized(); // the work area first, so that a window is always on screen
    hide();
}

void TfrmAvvio::imgApp01Click()
{
    openWorkArea("TfrmTiratori");
}
void TfrmAvvio::imgApp02Click()
{
    openWorkArea("TfrmTessera");
}
void TfrmAvvio::imgApp03Click()
{
    openWorkArea("TfrmMenuRicevute");
}
void TfrmAvvio::imgApp04Click()
{
    openWorkArea("TfrmMenuRiepCosti");
}

void TfrmAvvio::imgInfoClick()
{
    TfrmInfo window(this);
    window.exec();
}

void TfrmAvvio::imgGuidaClick()
{
    showHelpTopic(this, QStringLiteral("Uno sguardo a Corvalla"));
}

void TfrmAvvio::imgCreditiClick()
{
    TfrmSplash window(this);
    window.exec();
}

void TfrmAvvio::icoSitoClick()
{
    TMisc::Open(ProgramInfo::webAddress());
}

void TfrmAvvio::imgEsciClick()
{
    Corvalla::endProgram();
}
