#include "reports/PrintWindow.h"

#include "common/MsgBox.h"
#include "common/ResourceImage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
const QSize kPictureSize(96, 96);

QString instructionHtml(const char *heading, const char *text)
{
    QString html;
    if (heading)
        html += QStringLiteral("<p style=\"font-size:13pt; font-weight:bold; color:#1f3f8f;\">%1</p>")
                    .arg(QString::fromUtf8(heading).toHtmlEscaped());
    html += QStringLiteral("<p>%1</p>").arg(QString::fromUtf8(text).toHtmlEscaped());
    return html;
}

QLabel *instructionLabel(QWidget *parent, const char *name, const QString &html)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::RichText);
    label->setText(html);
    label->setWordWrap(true);
    label->setFixedWidth(360);
    return label;
}
} // namespace

PrintWindow::PrintWindow(Output output, const Texts &texts, QWidget *parent)
    : QDialog(parent), m_output(output), m_texts(texts)
{
    setObjectName(QString::fromLatin1(texts.objectName));
    setWindowTitle(QString::fromUtf8(texts.caption));
    setModal(true);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("imgIcona"));
    m_picture->setFixedSize(kPictureSize);
    m_picture->setAlignment(Qt::AlignCenter);

    QLabel *first =
        instructionLabel(this, "imgIstruzioni01", instructionHtml(texts.heading, texts.explanation));
    QLabel *second = instructionLabel(this, "imgIstruzioni02", instructionHtml(nullptr, texts.instruction));
    second->setStyleSheet(QStringLiteral("QLabel { background: #fff8dc; border: 1px solid #d8c890;"
                                         " padding: 6px; }"));

    m_btnStampa = new QPushButton(QString::fromUtf8(texts.mainButton), this);
    m_btnStampa->setObjectName(QStringLiteral("btnStampa"));
    m_btnStampa->setDefault(true);
    m_btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    m_btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));

    auto *text = new QVBoxLayout;
    text->addWidget(first);
    text->addWidget(second);
    auto *top = new QHBoxLayout;
    top->addWidget(m_picture, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    m_buttons = new QHBoxLayout;
    m_buttons->addStretch(1);
    m_buttons->addWidget(m_btnStampa);
    m_buttons->addWidget(m_btnAnnulla);
    m_layout = new QVBoxLayout(this);
    m_layout->addLayout(top);
    m_layout->addSpacing(8);
    m_layout->addLayout(m_buttons);
    m_layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_btnStampa, &QPushButton::clicked, this, &PrintWindow::btnStampaClick);
    connect(m_btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void PrintWindow::setContent(QWidget *content)
{
    content->setParent(this);
    m_layout->insertWidget(m_layout->indexOf(m_buttons), content);
    m_layout->insertSpacing(m_layout->indexOf(m_buttons), 8);
}

void PrintWindow::setBusyText(const QString &text)
{
    if (!m_lblAttendere) {
        m_lblAttendere = new QLabel(this);
        m_lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
        m_lblAttendere->setStyleSheet(QStringLiteral("QLabel { color: #8B0000; font-weight: bold; }"));
        // Hidden without giving up its room, so that the window keeps its size when it shows.
        QSizePolicy policy = m_lblAttendere->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        m_lblAttendere->setSizePolicy(policy);
        m_lblAttendere->hide();
        m_buttons->insertWidget(0, m_lblAttendere);
        connect(m_btnStampa, &QPushButton::pressed, this, &PrintWindow::showBusyText);
    }
    m_lblAttendere->setText(text);
}

void PrintWindow::showBusyText()
{
    if (!m_lblAttendere)
        return;
    m_lblAttendere->show();
    m_lblAttendere->repaint(); // at once: the work that follows keeps the window from repainting
}

void PrintWindow::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        if (m_picture->pixmap().isNull())
            m_picture->setPixmap(resourcePixmap(QString::fromLatin1(m_texts.picture), kPictureSize));
        if (m_onShow)
            m_onShow();
    }
    QDialog::showEvent(event);
}

void PrintWindow::btnStampaClick()
{
    QString error;
    Reports::PreparedReport prepared;
    showBusyText(); // also when the button is pressed from the keyboard
    bool ok = m_prepare && m_prepare(&prepared, &error);
    if (m_lblAttendere)
        m_lblAttendere->hide();
    if (ok) {
        ok = m_output == Output::Preview ? Reports::preview(prepared, this, &error)
                                         : Reports::print(prepared, this, &error);
    }
    if (!ok)
        MsgBox::warning(this, QString::fromUtf8(m_texts.failure));
    close();
}
