#include "members/MemberSheetDialog.h"

#include "common/MsgBox.h"
#include "common/PictureBox.h"
#include "members/TfrmTiratori.h"
#include "members/MemberSheetPage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
const QSize kFallbackSize(297, 184);
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

MemberSheetDialog::MemberSheetDialog(Output output, const Texts &texts, QWidget *parent)
    : QDialog(parent), m_output(output), m_texts(texts)
{
    setObjectName(QString::fromLatin1(texts.objectName));
    setWindowTitle(QString::fromUtf8(texts.caption));
    setModal(true);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("imgIcona"));
    m_picture->setFixedSize(kPictureSize);
    m_picture->setAlignment(Qt::AlignCenter);

    QLabel *first = instructionLabel(this, "imgIstruzioni01", instructionHtml(texts.heading, texts.explanation));
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
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnStampa);
    buttons->addWidget(m_btnAnnulla);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_btnStampa, &QPushButton::clicked, this, &MemberSheetDialog::btnStampaClick);
    connect(m_btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void MemberSheetDialog::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        if (m_picture->pixmap().isNull())
            m_picture->setPixmap(QPixmap::fromImage(
                resourceImage(QString::fromLatin1(m_texts.picture), kPictureSize)));
        const auto *sheet = qobject_cast<const TfrmTiratori *>(parentWidget());
        m_photo = sheet ? sheet->photo() : QImage();
        if (m_photo.isNull())
            m_photo = resourceImage(QStringLiteral(":/pictures/foto_fallback.svg"), kFallbackSize);
    }
    QDialog::showEvent(event);
}

void MemberSheetDialog::btnStampaClick()
{
    QString error;
    bool ok = true;
    Member::Record fields;
    const auto *sheet = qobject_cast<const TfrmTiratori *>(parentWidget());
    if (!sheet) {
        ok = false;
        error = QStringLiteral("La finestra non è stata aperta dalla scheda iscritto.");
    }
    for (int i = 0; ok && i < Member::kSheetFieldCount; ++i) {
        const QLineEdit *field = sheet->field(Member::fieldName(i));
        if (!field) {
            ok = false;
            error = QStringLiteral("La scheda non ha il campo %1.").arg(Member::fieldName(i));
            break;
        }
        fields[i] = field->text();
    }

    Reports::PreparedReport prepared;
    ok = ok && MemberSheetPage::prepare(fields, m_photo, &prepared, &error);
    if (ok) {
        ok = m_output == Output::Preview ? Reports::preview(prepared, this, &error)
                                         : Reports::print(prepared, this, &error);
    }
    if (!ok)
        MsgBox::warning(this, QString::fromUtf8(m_texts.failure));
    close();
}
