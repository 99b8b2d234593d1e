#include "receipts/TfrmLogo.h"

#include "common/FileDialogs.h"
#include "common/KeyboardAccess.h"
#include "common/MsgBox.h"
#include "common/PictureBox.h"
#include "common/PictureButton.h"
#include "common/Placement.h"
#include "common/SystemError.h"
#include "receipts/ReceiptLogo.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <cerrno>

namespace {

const QSize kFrameSize(297, 184);

QToolButton *frameButton(const char *name, const char *icon, const char *hint, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setIcon(QIcon(QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(icon))));
    b->setIconSize(QSize(20, 20));
    b->setAutoRaise(true);
    b->setCursor(Qt::PointingHandCursor);
    b->setToolTip(QString::fromUtf8(hint));
    b->setAccessibleName(QString::fromUtf8(hint));
    b->setStyleSheet(Keyboard::toolButtonFocusRule(2, 0));
    return b;
}

} // namespace

TfrmLogo::TfrmLogo(QWidget *parent) : QDialog(parent, Placement::kNoTitleButtons)
{
    setObjectName(QStringLiteral("TfrmLogo"));
    setWindowTitle(QStringLiteral(" Impostazione logo"));

    auto *picture =
        new PictureButton(QStringLiteral(":/pictures/logo_istruzioni.svg"), QSize(460, 110), this);
    picture->setObjectName(QStringLiteral("imgIstruzioni"));

    auto *shpLogo = new QFrame(this);
    shpLogo->setObjectName(QStringLiteral("shpLogo"));
    shpLogo->setStyleSheet(
        QStringLiteral("QFrame#shpLogo { background: #FFFFFF; border: 1px solid #9FB4E3; }"));
    imgLogo = new PictureBox(shpLogo);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setFixedSize(kFrameSize);
    imgLogo->setBackground(Qt::white);
    // The two small buttons sit on the frame, at its lower corners.
    imgEuro = frameButton("imgEuro", "euro", "Logo predefinito", shpLogo);
    imgCancella = frameButton("imgCancella", "gomma", "Nessun logo", shpLogo);
    auto *frameGrid = new QGridLayout(shpLogo);
    frameGrid->setContentsMargins(1, 1, 1, 1);
    frameGrid->addWidget(imgLogo, 0, 0, 2, 2);
    frameGrid->addWidget(imgEuro, 1, 0, Qt::AlignLeft | Qt::AlignBottom);
    frameGrid->addWidget(imgCancella, 1, 1, Qt::AlignRight | Qt::AlignBottom);
    frameGrid->setRowStretch(0, 1);

    btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    btnSfoglia = new QPushButton(QStringLiteral("Sfoglia..."), this);
    btnSfoglia->setObjectName(QStringLiteral("btnSfoglia"));
    btnApplica = new QPushButton(QStringLiteral("Applica e chiudi"), this);
    btnApplica->setObjectName(QStringLiteral("btnApplica"));
    for (QPushButton *b : {btnAnnulla, btnSfoglia, btnApplica})
        b->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnAnnulla);
    buttons->addStretch(1);
    buttons->addWidget(btnSfoglia);
    buttons->addWidget(btnApplica);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addWidget(shpLogo, 0, Qt::AlignHCenter);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(imgEuro, &QToolButton::clicked, this, [this] { imgLogo->setImage(ReceiptLogo::defaultLogo()); });
    connect(imgCancella, &QToolButton::clicked, this, [this] { imgLogo->setImage(ReceiptLogo::whiteDot()); });
    connect(btnSfoglia, &QPushButton::clicked, this, &TfrmLogo::btnSfogliaClick);
    connect(btnApplica, &QPushButton::clicked, this, &TfrmLogo::btnApplicaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

QImage TfrmLogo::logo() const
{
    return imgLogo->image();
}

void TfrmLogo::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    Placement::centreOn(this, parentWidget() ? parentWidget()->window() : nullptr);
    imgLogo->setImage(ReceiptLogo::load());
}

void TfrmLogo::btnSfogliaClick()
{
    const QString path = FileDialogs::getOpenFileName(
        this, QStringLiteral("Selezionare il logo della Ditta in formato Jpeg o Bitmap."),
        QStringLiteral("Immagine JPEG (*.jpg; *.jpeg)|*.jpg;*.jpeg|Immagine Bitmap (*.bmp)|*.bmp"));
    if (path.isEmpty())
        return;
    const QImage picture = ReceiptLogo::readPicture(path);
    imgLogo->setImage(picture.isNull() ? ReceiptLogo::defaultLogo() : picture);
}

void TfrmLogo::btnApplicaClick()
{
    if (!ReceiptLogo::save(imgLogo->image())) {
        // The earlier logo file is whole: the user can try again or give up with Annulla.
        const int reason = errno;
        MsgBox::warning(this, QStringLiteral("Attenzione: non è stato possibile salvare il logo nel file "
                                             "Logo.bmp.\n\r\n\r") +
                                  SystemError::writeAdvice(reason, QStringLiteral("l'operazione")));
        return;
    }
    accept();
}
