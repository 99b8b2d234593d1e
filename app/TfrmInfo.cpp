#include "app/TfrmInfo.h"

#include "app/OpenURL.h"
#include "app/PictureButton.h"
#include "app/Placement.h"
#include "app/ProgramInfo.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TfrmInfo::TfrmInfo(QWidget *parent) : QDialog(parent, Placement::kNoTitleButtons)
{
    setObjectName(QStringLiteral("TfrmInfo"));
    setWindowTitle(QStringLiteral(" Informazioni su Corvalla"));

    auto *picture = new PictureButton(QStringLiteral(":/pictures/info_titolo.svg"), QSize(500, 70), this);
    picture->setObjectName(QStringLiteral("imgTitolo"));

    imgEmail = new PictureButton(QStringLiteral(":/pictures/email.svg"), QSize(32, 32), this);
    imgEmail->setObjectName(QStringLiteral("imgEmail"));
    imgEmail->setFixedSize(32, 32);
    lnkWeb = new LinkLabel(ProgramInfo::contactEmail(), this);
    lnkWeb->setObjectName(QStringLiteral("lnkWeb"));
    lnkWeb->attachIcon(imgEmail);
    connect(lnkWeb, &LinkLabel::clicked, this, &TfrmInfo::lnkWebClick);

    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setMinimumWidth(110);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::close);

    auto *link = new QHBoxLayout;
    link->addStretch(1);
    link->addWidget(imgEmail);
    link->addWidget(lnkWeb);
    link->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setSpacing(18);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addLayout(link);
    layout->addWidget(btnChiudi, 0, Qt::AlignRight);
}

void TfrmInfo::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Placement::centreOnScreen(this);
}

void TfrmInfo::lnkWebClick()
{
    // Subject and body go as they are: the mail program gets them unescaped.
    TMisc::Open(QStringLiteral("\"mailto:") + ProgramInfo::contactEmail() +
                QStringLiteral("?subject=Software Corvalla&body=Salve, desidererei avere le seguenti "
                               "informazioni sul software in oggetto:\""));
}
