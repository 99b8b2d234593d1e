#pragma once

#include <QWidget>

class TfrmTiratori : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmTiratori(QWidget *parent = nullptr);
};
