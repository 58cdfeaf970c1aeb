// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ChoiceCombo.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QWheelEvent>

ChoiceCombo::ChoiceCombo(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QComboBox::activated, this, &ChoiceCombo::onActivated);
    // Connected after QComboBox's own handler, which moves the current entry to typed text that
    // matches one.
    connect(lineEdit(), &QLineEdit::editingFinished, this, &ChoiceCombo::showValueInUse);
}

void ChoiceCombo::showValue(const QString &text)
{
    m_valueInUse = text;
    const QSignalBlocker blocker(this);
    const int index = findText(text, Qt::MatchExactly);
    if (index >= 0)
        setCurrentIndex(index);
    setEditText(text);
}

// The combo box keeps the focus for its edit field and answers an input method's questions for it:
// it says it takes no input method, or a Japanese one would compose full-width digits in the
// field (see AnswerBox).
QVariant ChoiceCombo::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled)
        return false;
    return QComboBox::inputMethodQuery(query);
}

void ChoiceCombo::choose(int index)
{
    if (index < 0 || index >= count())
        return;
    setCurrentIndex(index);
    m_fromList = true;
    onActivated(index);
}

void ChoiceCombo::showPopup()
{
    m_fromList = false;
    QComboBox::showPopup();
    // Installed (again) after the list's own filters, which QComboBox may install afresh as
    // the list opens: a filter installed last sees the click or key that picks an entry before
    // the list acts on it.
    view()->installEventFilter(this);
    view()->viewport()->installEventFilter(this);
}

void ChoiceCombo::hidePopup()
{
    QComboBox::hidePopup();
    // A pick from the list is reported right after the list closes, in the same call; anything
    // reported later did not come from the list.
    QTimer::singleShot(0, this, [this] { m_fromList = false; });
}

bool ChoiceCombo::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == view()->viewport() && event->type() == QEvent::MouseButtonRelease) {
        m_fromList = true;
    } else if (watched == view() &&
               (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        // The list takes Return as a shortcut override, before it arrives as a key press.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Select ||
            key == Qt::Key_Space)
            m_fromList = true;
    }
    return QComboBox::eventFilter(watched, event);
}

void ChoiceCombo::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (!(event->modifiers() & Qt::AltModifier)) {
            m_fromList = true;
            QComboBox::keyPressEvent(event);
            m_fromList = false;
            return;
        }
        break;
    default:
        break;
    }
    QComboBox::keyPressEvent(event);
}

void ChoiceCombo::wheelEvent(QWheelEvent *event)
{
    event->ignore();
}

void ChoiceCombo::onActivated(int index)
{
    if (!m_fromList)
        return;
    m_fromList = false;
    m_valueInUse = itemText(index);
    // Picking the entry that is already current leaves text typed over it in the field; the
    // field shows what was chosen.
    if (currentText() != itemText(index))
        setEditText(itemText(index));
    Q_EMIT chosen(index);
}

void ChoiceCombo::showValueInUse()
{
    if (currentText() != m_valueInUse || currentIndex() != findText(m_valueInUse, Qt::MatchExactly))
        showValue(m_valueInUse);
}
