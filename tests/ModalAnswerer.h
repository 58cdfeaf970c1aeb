#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

// Answers the next modal message box as soon as it opens, pressing the given button, and keeps
// what it showed so a test can check its text, title, icon and buttons.
class ModalAnswerer : public QObject
{
public:
    explicit ModalAnswerer(QMessageBox::StandardButton answer) : m_answer(answer)
    {
        connect(&m_poll, &QTimer::timeout, this, [this] { answerIfOpen(); });
        m_poll.start(10);
    }

    bool seen() const { return m_seen; }
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;

private:
    void answerIfOpen()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        m_poll.stop();
        m_seen = true;
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        buttons = box->standardButtons();
        if (QAbstractButton *def = box->defaultButton())
            defaultButton = box->standardButton(def);
        if (QAbstractButton *button = box->button(m_answer))
            button->click();
        else
            box->reject();
    }

    QMessageBox::StandardButton m_answer;
    QTimer m_poll;
    bool m_seen = false;
};
