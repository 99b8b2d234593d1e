#pragma once

#include <QList>
#include <QWidget>

class PictureButton;
class QLayout;

// The main menu: four tiles leading to the work areas, the information, help and credits windows,
// the web address and the exit. Long-lived, maximised; closing it ends the program.
class TfrmAvvio : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmAvvio(QWidget *parent = nullptr);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void imgApp01Click();
    void imgApp02Click();
    void imgApp03Click();
    void imgApp04Click();
    void imgInfoClick();
    void imgGuidaClick();
    void imgCreditiClick();
    void icoSitoClick();
    void imgEsciClick();

    // Shows the long-lived work-area window, then hides the menu; nothing when it is not there.
    void openWorkArea(const char *className);
    // A picture of the menu; one with a `click` handler is a button called `spoken`.
    PictureButton *picture(const QString &name, const QString &resource, const QSize &size,
                           void (TfrmAvvio::*click)() = nullptr, const QString &spoken = QString());
    QLayout *makeTiles(QList<QWidget *> &tabOrder);
};
