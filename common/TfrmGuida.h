#pragma once

#include <QDialog>

class LinkLabel;
class PictureButton;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The help window: one help topic, a link to the PDF manual beside the program, and "Chiudi".
// One-use: opened through showHelpTopic().
class TfrmGuida : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget *parent = nullptr);

    // Shows the topic title and its text (paragraphs separated by CR LF CR LF), from the top.
    void setTopic(const QString &title, const QString &text);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void lnkWebClick();

    QLabel *lblTitolo;
    QPlainTextEdit *txtGuida;
    LinkLabel *lnkWeb;
    PictureButton *imgPDF;
    QPushButton *btnChiudi;
};

// Opens a fresh help window over `parent` with the built-in topic of this title (HelpTopics.h),
// modally, and destroys it when it closes. An unknown title shows the title with an empty text.
void showHelpTopic(QWidget *parent, const QString &title);
