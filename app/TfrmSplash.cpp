#include "app/TfrmSplash.h"

#include "app/ProgramInfo.h"
#include "common/LinkWindow.h"
#include "common/OpenURL.h"
#include "common/PictureButton.h"
#include "common/Placement.h"

TfrmSplash::TfrmSplash(QWidget *parent) : QDialog(parent, Placement::kNoTitleButtons)
{
    setObjectName(QStringLiteral("TfrmSplash"));
    setWindowTitle(QLatin1Char(' ') + ProgramInfo::productName() + QStringLiteral(" - ") +
                   ProgramInfo::makerCredit());

    auto *picture = new PictureButton(QStringLiteral(":/pictures/splash.svg"), QSize(500, 220), this);
    picture->setObjectName(QStringLiteral("imgSplash"));

    const LinkWindow::Controls parts =
        LinkWindow::build(this, picture, QStringLiteral(":/pictures/globe.svg"), QStringLiteral("imgWeb"),
                          ProgramInfo::webAddress());
    imgWeb = parts.icon;
    lnkWeb = parts.link;
    btnChiudi = parts.close;
    connect(lnkWeb, &LinkLabel::clicked, this, &TfrmSplash::lnkWebClick);
}

void TfrmSplash::lnkWebClick()
{
    TMisc::Open(ProgramInfo::webAddress());
}
