#pragma once

#include <QDialog>

class TfrmExpTiratori : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmExpTiratori(QWidget *parent = nullptr);
};
