// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

// Answers the modal message boxes a handler opens, in order, and records what each box showed.
// Create it before calling the handler; each answer is the standard button to click.
class MessageBoxAnswerer : public QObject
{
public:
    struct Shown
    {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    };

    explicit MessageBoxAnswerer(QList<QMessageBox::StandardButton> answers)
        : m_answers(std::move(answers))
    {
        connect(&m_timer, &QTimer::timeout, this, &MessageBoxAnswerer::poll);
        m_timer.start(5);
    }

    const QList<Shown> &shown() const { return m_shown; }

private:
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box->property(answeredProperty).toBool())
            return;
        box->setProperty(answeredProperty, true);
        Shown seen;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        if (box->defaultButton())
            seen.defaultButton = box->standardButton(box->defaultButton());
        m_shown.append(seen);
        const QMessageBox::StandardButton answer =
            m_answers.isEmpty() ? QMessageBox::Ok : m_answers.takeFirst();
        if (QAbstractButton *button = box->button(answer))
            button->click();
        else
            box->reject();
    }

    QTimer m_timer;
    QList<QMessageBox::StandardButton> m_answers;
    QList<Shown> m_shown;
    static constexpr const char *answeredProperty = "answeredByTest";
};
