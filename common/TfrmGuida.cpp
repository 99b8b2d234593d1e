#include "common/TfrmGuida.h"

#include "common/HelpTopics.h"

#include "common/LinkWindow.h"
#include "common/OpenURL.h"
#include "common/PictureButton.h"
#include "common/Placement.h"
#include "common/ProgramFolder.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

TfrmGuida::TfrmGuida(QWidget *parent) : QDialog(parent, Placement::kNoTitleButtons)
{
    setObjectName(QStringLiteral("TfrmGuida"));
    setWindowTitle(QStringLiteral(" Guida all'utilizzo del software"));

    auto *picture = new PictureButton(QStringLiteral(":/pictures/guida_titolo.svg"), QSize(600, 70), this);
    picture->setObjectName(QStringLiteral("imgTitolo"));

    lblTitolo = new QLabel(QStringLiteral("Argomento della guida."), this);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    QFont titleFont(QStringLiteral("Arial"), 16);
    titleFont.setBold(true);
    lblTitolo->setFont(titleFont);
    QPalette titlePalette = lblTitolo->palette();
    titlePalette.setColor(QPalette::WindowText, QColor(0xDC, 0x14, 0x3C)); // crimson
    lblTitolo->setPalette(titlePalette);

    txtGuida = new QPlainTextEdit(this);
    txtGuida->setObjectName(QStringLiteral("txtGuida"));
    txtGuida->setAccessibleName(QStringLiteral("Testo della guida"));
    txtGuida->setReadOnly(true);
    QFont textFont(QStringLiteral("Verdana"), 12);
    textFont.setBold(true);
    txtGuida->setFont(textFont);
    // The text keeps its height on an ordinary screen and gives way on a small one (it scrolls), so
    // that the window always fits with its buttons: the window around the text takes about 170
    // pixels, its title bar and frame some 40 more.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().height() : 768;
    txtGuida->setFixedSize(760, qBound(240, room - 210, 420));

    const LinkWindow::IconLink pdf =
        LinkWindow::makeIconLink(this, QStringLiteral(":/pictures/pdf.svg"), QStringLiteral("imgPDF"),
                                 QStringLiteral("Visualizza guida in formato PDF"));
    imgPDF = pdf.icon;
    lnkWeb = pdf.link;
    connect(lnkWeb, &LinkLabel::clicked, this, &TfrmGuida::lnkWebClick);

    btnChiudi = LinkWindow::makeCloseButton(this);

    auto *foot = new QHBoxLayout;
    foot->addWidget(imgPDF);
    foot->addWidget(lnkWeb);
    foot->addStretch(1);
    foot->addWidget(btnChiudi);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // the help window is not resizable
    layout->addWidget(picture, 0, Qt::AlignLeft);
    layout->addWidget(lblTitolo);
    layout->addWidget(txtGuida);
    layout->addLayout(foot);
}

void TfrmGuida::setTopic(const QString &title, const QString &text)
{
    lblTitolo->setText(title);
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txtGuida->setPlainText(shown);
    txtGuida->moveCursor(QTextCursor::Start);
}

void TfrmGuida::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Placement::centreOnScreen(this);
}

void TfrmGuida::lnkWebClick()
{
    TMisc::Open(QLatin1Char('"') + programFolder() + QStringLiteral("Guida.pdf") + QLatin1Char('"'));
}

void showHelpTopic(QWidget *parent, const QString &title)
{
    const std::optional<HelpTopic> topic = findHelpTopic(title);
    TfrmGuida window(parent);
    window.setTopic(title, topic ? topic->text() : QString());
    window.exec();
}
