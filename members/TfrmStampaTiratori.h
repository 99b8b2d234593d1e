#pragma once

#include <QDialog>

class TfrmStampaTiratori : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmStampaTiratori(QWidget *parent = nullptr);
};
