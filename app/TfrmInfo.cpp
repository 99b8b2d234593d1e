#include "app/TfrmInfo.h"

#include "app/ProgramInfo.h"
#include "common/LinkWindow.h"
#include "common/OpenURL.h"
#include "common/PictureButton.h"
#include "common/Placement.h"

#include <QShowEvent>

TfrmInfo::TfrmInfo(QWidget *parent) : QDialog(parent, Placement::kNoTitleButtons)
{
    setObjectName(QStringLiteral("TfrmInfo"));
    setWindowTitle(QStringLiteral(" Informazioni su Corvalla"));

    auto *picture = new PictureButton(QStringLiteral(":/pictures/info_titolo.svg"), QSize(500, 70), this);
    picture->setObjectName(QStringLiteral("imgTitolo"));

    const LinkWindow::Controls parts =
        LinkWindow::build(this, picture, QStringLiteral(":/pictures/email.svg"), QStringLiteral("imgEmail"),
                          ProgramInfo::contactEmail());
    imgEmail = parts.icon;
    lnkWeb = parts.link;
    btnChiudi = parts.close;
    connect(lnkWeb, &LinkLabel::clicked, this, &TfrmInfo::lnkWebClick);
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
