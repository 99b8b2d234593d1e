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
                                  void (TfrmAvvio::*click)())
{
    auto *p =
        new PictureButton(QStringLiteral(":/pictures/") + resource + QStringLiteral(".svg"), size, this);
    p->setObjectName(name);
    if (click) {
        p->setClickable(true);
        connect(p, &PictureButton::clicked, this, click);
    }
    return p;
}

TfrmAvvio::TfrmAvvio(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TfrmAvvio"));
    setWindowTitle(QStringLiteral(" Corvalla"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setWindowState(Qt::WindowMaximized);

    PictureButton *title =
        picture(QStringLiteral("imgTitolo"), QStringLiteral("title"), QSize(900, 110), nullptr);
    PictureButton *subtitle =
        picture(QStringLiteral("imgSottotitolo"), QStringLiteral("subtitle"), QSize(1100, 60), nullptr);

    // One handler per tile serves its picture and its caption picture.
    using Handler = void (TfrmAvvio::*)();
    const Handler tileHandlers[4] = {&TfrmAvvio::imgApp01Click, &TfrmAvvio::imgApp02Click,
                                     &TfrmAvvio::imgApp03Click, &TfrmAvvio::imgApp04Click};
    auto *tiles = new QGridLayout;
    tiles->setHorizontalSpacing(80);
    tiles->setVerticalSpacing(24);
    for (int i = 0; i < 4; ++i) {
        const QString n = QStringLiteral("0%1").arg(i + 1);
        auto *tile = new QVBoxLayout;
        tile->setSpacing(4);
        tile->addWidget(
            picture(QStringLiteral("imgApp") + n, QStringLiteral("tile") + n, kTileSize, tileHandlers[i]), 0,
            Qt::AlignHCenter);
        tile->addWidget(picture(QStringLiteral("btnApp") + n, QStringLiteral("caption") + n, kCaptionSize,
                                tileHandlers[i]),
                        0, Qt::AlignHCenter);
        tiles->addLayout(tile, i / 2, i % 2);
    }

    auto *centre = new QVBoxLayout;
    centre->addWidget(title, 0, Qt::AlignHCenter);
    centre->addWidget(subtitle, 0, Qt::AlignHCenter);
    centre->addStretch(1);
    auto *tilesRow = new QHBoxLayout; // keeps the four tiles together in the middle
    tilesRow->addStretch(1);
    tilesRow->addLayout(tiles);
    tilesRow->addStretch(1);
    centre->addLayout(tilesRow);
    centre->addStretch(1);
    centre->addWidget(picture(QStringLiteral("icoSito"), QStringLiteral("banner"), QSize(1100, 40),
                              &TfrmAvvio::icoSitoClick),
                      0, Qt::AlignHCenter | Qt::AlignBottom);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addWidget(
        picture(QStringLiteral("imgInfo"), QStringLiteral("info"), kCornerSize, &TfrmAvvio::imgInfoClick), 0,
        0, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(
        picture(QStringLiteral("imgGuida"), QStringLiteral("help"), kCornerSize, &TfrmAvvio::imgGuidaClick),
        0, 2, Qt::AlignRight | Qt::AlignTop);
    layout->addWidget(picture(QStringLiteral("imgCrediti"), QStringLiteral("credits"), kCornerSize,
                              &TfrmAvvio::imgCreditiClick),
                      2, 0, Qt::AlignLeft | Qt::AlignBottom);
    layout->addWidget(
        picture(QStringLiteral("imgEsci"), QStringLiteral("exit"), kCornerSize, &TfrmAvvio::imgEsciClick), 2,
        2, Qt::AlignRight | Qt::AlignBottom);
    layout->addLayout(centre, 0, 1, 3, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);
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
