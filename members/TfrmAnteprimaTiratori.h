#pragma once

#include <QDialog>

class TfrmAnteprimaTiratori : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmAnteprimaTiratori(QWidget *parent = nullptr);
};
