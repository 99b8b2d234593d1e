#pragma once

#include "cards/CardSettings.h"

#include <QDialog>
#include <array>
#include <functional>

class QLineEdit;
class QPushButton;

// The association data: the four texts at the head and foot of the card, edited in four fields
// laid over a band like the card's header. "Applica e chiudi" hands them, trimmed, to the target
// its caller gave it under the caller context "tessera"; nothing is written to disk here.
// One-use window.
class TfrmDatiEnte : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmDatiEnte(QWidget *parent = nullptr);

    using Target = std::function<void(const CardSettings::Association &texts)>;

    // The texts the fields start from (each trimmed) and where the result goes.
    void setTexts(const CardSettings::Association &texts);
    void setTarget(Target target);

    CardSettings::Association texts() const; // the four fields, trimmed

protected:
    void showEvent(QShowEvent *event) override;

private:
    void btnApplicaClick();

    std::array<QLineEdit *, CardSettings::LineCount> m_fields{};
    QPushButton *m_btnAnnulla;
    QPushButton *m_btnApplica;
    Target m_target;
};
