#include "members/TfrmAllegaCartella.h"

#include "common/CallerContext.h"
#include "common/Cp1252.h"
#include "common/FileDialogs.h"
#include "common/FileReplace.h"
#include "common/MsgBox.h"
#include "common/OpenURL.h"
#include "common/PictureButton.h"
#include "common/Placement.h"
#include "common/TextUtil.h"
#include "records/MemberArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr int kFieldWidth = 250; // the width of the member fields that keep them

// The controls of slot n (1-based) and the member sheet labels it belongs to.
QString slotName(const char *prefix, int n)
{
    return QString::fromLatin1(prefix) + QStringLiteral("0%1").arg(n);
}

// The name under which a chosen document is kept: one that the 250-character Windows-1252 name
// field can hold and that the folder can take as a file name (at most 255 bytes here), so that
// "Apri" always finds the copy. Characters the field cannot hold become '_'; a name too long is
// shortened before its extension.
QString storableName(const QString &chosen)
{
    QString name;
    const QList<uint> codePoints = chosen.toUcs4();
    for (const uint cp : codePoints) {
        const bool storable =
            cp1252Byte(char32_t(cp)) >= 0 && cp >= 0x20 && !(cp >= 0x7F && cp < 0xA0) && cp != '/';
        name += storable ? QChar(char16_t(cp)) : QLatin1Char('_'); // every storable character is in the BMP
    }
    name = trimBlanks(name);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot > 0 && name.size() - dot <= 16 ? name.mid(dot) : QString();
    QString stem = name.left(name.size() - extension.size());
    const auto fits = [&] {
        const QString whole = stem + extension;
        return whole.size() <= kFieldWidth && QFile::encodeName(whole).size() <= 255;
    };
    while (!stem.isEmpty() && !fits())
        stem.chop(1);
    name = trimBlanks(stem + extension);
    return name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
               ? QStringLiteral("allegato")
               : name;
}

// Copies `from` over `to`. The copy is written beside the target and renamed over it, so a copy
// that fails half-way leaves the previous document whole.
bool copyReplacing(const QString &from, const QString &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    QByteArray chunk;
    while (!(chunk = source.read(1 << 20)).isEmpty()) {
        if (target.write(chunk) != chunk.size()) {
            target.cancelWriting();
            return false;
        }
    }
    if (source.error() != QFileDevice::NoError) {
        target.cancelWriting();
        return false;
    }
    return FileReplace::commit(target);
}

} // namespace

// The band of attachment slot `i`: the file name with its buttons, and the description.
QFrame *TfrmAllegaCartella::makeSlot(int i)
{
    const int n = i + 1;
    Slot &s = m_slots[i];
    auto *band = new QFrame(this);
    band->setObjectName(slotName("panAllegato", n));
    band->setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(band);

    s.txtFile = new QLineEdit(band);
    s.txtFile->setObjectName(slotName("txtFile", n));
    s.txtFile->setReadOnly(true);
    s.txtFile->setMaxLength(kFieldWidth);
    s.txtFile->setStyleSheet(QStringLiteral("QLineEdit { background: #D4D0C8; }"));
    s.txtDesc = new QLineEdit(band);
    s.txtDesc->setObjectName(slotName("txtDesc", n));
    s.txtDesc->setMaxLength(kFieldWidth);

    auto *lblFile = new QLabel(QStringLiteral("Nome %1° file allegato:").arg(n), band);
    lblFile->setObjectName(slotName("lblNomeFile", n));
    lblFile->setBuddy(s.txtFile);
    auto *lblDesc = new QLabel(QStringLiteral("Descrizione %1° file allegato:").arg(n), band);
    lblDesc->setObjectName(slotName("lblDescrizione", n));
    lblDesc->setBuddy(s.txtDesc);

    s.btnSfoglia = new QPushButton(QStringLiteral("Sfoglia..."), band);
    s.btnSfoglia->setObjectName(slotName("btnSfoglia", n));
    s.btnSfoglia->setAutoDefault(false);
    s.btnApri = new QPushButton(QStringLiteral("Apri"), band);
    s.btnApri->setObjectName(slotName("btnApri", n));
    s.btnApri->setAutoDefault(false);
    s.btnApri->setEnabled(false);
    s.imgCancella = new PictureButton(QStringLiteral(":/pictures/cancella.svg"), QSize(24, 24), band);
    s.imgCancella->setObjectName(slotName("imgCancella", n));
    s.imgCancella->setClickable(true, QStringLiteral("Svuota il %1° allegato").arg(n));
    s.imgCancella->setFixedSize(28, 28);
    s.imgCancella->setToolTip(QStringLiteral("Svuota"));

    grid->addWidget(lblFile, 0, 0);
    grid->addWidget(s.txtFile, 0, 1);
    grid->addWidget(s.btnSfoglia, 0, 2);
    grid->addWidget(s.btnApri, 0, 3);
    grid->addWidget(s.imgCancella, 0, 4);
    grid->addWidget(lblDesc, 1, 0);
    grid->addWidget(s.txtDesc, 1, 1, 1, 4);
    grid->setColumnStretch(1, 1);

    connect(s.txtFile, &QLineEdit::textChanged, s.btnApri,
            [btn = s.btnApri](const QString &text) { btn->setEnabled(!trimBlanks(text).isEmpty()); });
    connect(s.btnSfoglia, &QPushButton::clicked, this, [this, i] { btnSfogliaClick(i); });
    connect(s.btnApri, &QPushButton::clicked, this, [this, i] { btnApriClick(i); });
    connect(s.imgCancella, &PictureButton::clicked, this, [this, i] { imgCancellaClick(i); });
    return band;
}

TfrmAllegaCartella::TfrmAllegaCartella(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmAllegaCartella"));
    setWindowTitle(QStringLiteral(" Allega file"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    addCallerContextLabel(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(10);

    auto *instructions = new QLabel(this);
    instructions->setObjectName(QStringLiteral("imgIstruzioni"));
    instructions->setWordWrap(true);
    instructions->setTextFormat(Qt::RichText);
    instructions->setStyleSheet(QStringLiteral(
        "QLabel#imgIstruzioni { background: #EAF2FD; border: 1px solid #87CEEB; border-radius: 6px;"
        " padding: 10px; color: #10305A; }"));
    instructions->setText(QStringLiteral(
        "<b>Come allegare documenti alla scheda dell'iscritto</b><br>"
        "1. Scegliere i documenti con il pulsante <b>Sfoglia...</b>: ogni documento viene copiato "
        "nella cartella dei documenti allegati del programma.<br>"
        "2. Premere <b>Applica e chiudi</b>, poi <b>Salva</b> nella scheda dell'iscritto.<br>"
        "Il pulsante <b>Apri</b> apre il documento con il programma associato."));
    layout->addWidget(instructions);

    for (int i = 0; i < kSlots; ++i)
        layout->addWidget(makeSlot(i));

    btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    btnAnnulla->setAutoDefault(false);
    btnApplica = new QPushButton(QStringLiteral("Applica e chiudi"), this);
    btnApplica->setObjectName(QStringLiteral("btnApplica"));
    btnApplica->setAutoDefault(false);
    auto *foot = new QHBoxLayout;
    foot->addStretch(1);
    foot->addWidget(btnAnnulla);
    foot->addWidget(btnApplica);
    layout->addLayout(foot);

    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmAllegaCartella::btnAnnullaClick);
    connect(btnApplica, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApplicaClick);
    setFixedWidth(760);
}

void TfrmAllegaCartella::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || m_placed)
        return;
    m_placed = true;
    adjustSize(); // the wrapped instructions take the height they need at this width
    Placement::centreOnScreen(this);
}

void TfrmAllegaCartella::setAttachments(const Attachments &list)
{
    for (int i = 0; i < kSlots; ++i) {
        m_slots[i].txtFile->setText(trimBlanks(list[size_t(i)].file));
        m_slots[i].txtDesc->setText(trimBlanks(list[size_t(i)].description));
    }
}

TfrmAllegaCartella::Attachments TfrmAllegaCartella::attachments() const
{
    Attachments list;
    for (int i = 0; i < kSlots; ++i)
        list[size_t(i)] = {trimBlanks(m_slots[i].txtFile->text()), trimBlanks(m_slots[i].txtDesc->text())};
    return list;
}

void TfrmAllegaCartella::btnSfogliaClick(int slot)
{
    // "*" rather than "*.*": the latter hides the files without a dot in their name.
    const QString chosen = FileDialogs::getOpenFileName(
        this, QStringLiteral("Selezionare il file da allegare:"), QStringLiteral("Tutti i file (*.*)|*"));
    if (chosen.isEmpty())
        return;
    const QString name = storableName(QFileInfo(chosen).fileName());
    m_slots[slot].txtFile->setText(name);

    // Failures from here on are not reported: the slot keeps the name.
    if (!QDir().mkpath(MemberArchive::attachmentsFolder()))
        return;
    const QString target = MemberArchive::attachmentPath(name);
    const QFileInfo targetInfo(target);
    if (targetInfo.exists()) {
        // A document chosen from the attachments folder itself is already in place.
        if (targetInfo.canonicalFilePath() == QFileInfo(chosen).canonicalFilePath())
            return;
        if (!MsgBox::confirm(this,
                             QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente "
                                            "un file con lo stesso nome.\r\n\r\nSi vuole sovrascrivere il "
                                            "file esistente?")))
            return;
    }
    copyReplacing(chosen, target);
}

void TfrmAllegaCartella::btnApriClick(int slot)
{
    const QString path = MemberArchive::openableAttachment(trimBlanks(m_slots[slot].txtFile->text()));
    if (path.isEmpty())
        return;
    TMisc::Open(QLatin1Char('"') + path + QLatin1Char('"'));
}

void TfrmAllegaCartella::imgCancellaClick(int slot)
{
    m_slots[slot].txtFile->clear();
}

void TfrmAllegaCartella::btnApplicaClick()
{
    if (m_apply)
        m_apply(attachments());
    accept();
}

void TfrmAllegaCartella::btnAnnullaClick()
{
    reject();
}
