#include "app/TfrmSplash.h"

#include "app/OpenURL.h"
#include "app/PictureButton.h"
#include "app/Placement.h"
#include "app/ProgramInfo.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TfrmSplash::TfrmSplash(QWidget *parent) : QDialog(parent, Placement::kNoTitleButtons)
{
    setObjectName(QStringLiteral("TfrmSplash"));
    setWindowTitle(ProgramInfo::productName() + QStringLiteral(" - ") + ProgramInfo::makerCredit());

    auto *picture = new PictureButton(QStringLiteral(":/pictures/splash.svg"), QSize(500, 220), this);
    picture->setObjectName(QStringLiteral("imgSplash"));

    imgWeb = new PictureButton(QStringLiteral(":/pictures/globe.svg"), QSize(32, 32), this);
    imgWeb->setObjectName(QStringLiteral("imgWeb"));
    imgWeb->setFixedSize(32, 32);
    lnkWeb = new LinkLabel(ProgramInfo::webAddress(), this);
    lnkWeb->setObjectName(QStringLiteral("lnkWeb"));
    lnkWeb->attachIcon(imgWeb);
    connect(lnkWeb, &LinkLabel::clicked, this, &TfrmSplash::lnkWebClick);

    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setMinimumWidth(110);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::close);

    auto *link = new QHBoxLayout;
    link->addStretch(1);
    link->addWidget(imgWeb);
    link->addWidget(lnkWeb);
    link->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setSpacing(18);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addLayout(link);
    layout->addWidget(btnChiudi, 0, Qt::AlignRight);
}

void TfrmSplash::lnkWebClick()
{
    TMisc::Open(ProgramInfo::webAddress());
}
