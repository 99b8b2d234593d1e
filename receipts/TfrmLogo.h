#pragma once

#include <QDialog>

class PictureBox;
class QPushButton;
class QToolButton;

// The logo window: chooses the receipt logo (Logo.bmp in the program folder) printed on both
// copies of every receipt. One-use window opened by the receipt window's logo button. Nothing is
// written until "Applica e chiudi"; a save that fails keeps the earlier logo file, says so and
// leaves the window open.
class TfrmLogo : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmLogo(QWidget *parent = nullptr);

    // The picture on show, at its own size.
    QImage logo() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void btnSfogliaClick();
    void btnApplicaClick();

    PictureBox *imgLogo;
    QToolButton *imgEuro;
    QToolButton *imgCancella;
    QPushButton *btnAnnulla;
    QPushButton *btnSfoglia;
    QPushButton *btnApplica;
};
