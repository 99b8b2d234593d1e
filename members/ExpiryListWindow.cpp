#include "members/ExpiryListWindow.h"

#include "common/Placement.h"
#include "common/ResourceImage.h"
#include "records/MemberChoiceTarget.h"
#include "reports/ListPanel.h"

#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>

ExpiryListWindow::ExpiryListWindow(const MemberSearch::ExpiryListInfo &list, const QString &objectName,
                                   const QString &caption, QWidget *parent)
    : QDialog(parent), m_list(list)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setStyleSheet(QStringLiteral("QDialog { background: white; }"));

    m_banner = new QLabel(this);
    m_banner->setObjectName(QStringLiteral("imgBanner"));
    m_banner->setFixedHeight(60);
    m_banner->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    ListPanel::Texts texts;
    texts.doubleClick = QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda");
    texts.page.title = QString::fromUtf8(list.printTitle);
    m_panel = new ListPanel(texts, this);
    m_panel->setObjectName(QStringLiteral("panContainer"));
    m_panel->setOpenRow([this](qint64 index) { handMember(m_target, index); });
    connect(m_panel, &ListPanel::closeRequested, this, &QDialog::close);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(m_banner);
    layout->addWidget(m_panel, 1);
    resize(1000, 640);
}

void ExpiryListWindow::buildList(const QDate &today)
{
    m_panel->resetFind();
    m_panel->clearList();
    KeptRows rows;
    // A failing archive stops the list without a message; the lines read before it stay.
    MemberSearch::expiredRows(m_list, today, rows);
    m_panel->setRows(std::move(rows));
    m_panel->findField()->setFocus();
}

void ExpiryListWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_banner->pixmap().isNull())
        m_banner->setPixmap(resourcePixmap(QStringLiteral(":/pictures/banner_liste.svg")));
    if (event->spontaneous())
        return;
    Placement::centreOnScreen(this);
    buildList(QDate::currentDate());
}

void ExpiryListWindow::done(int result)
{
    m_panel->clearList();
    QDialog::done(result);
}
