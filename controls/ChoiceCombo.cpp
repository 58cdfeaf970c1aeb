// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ChoiceCombo.h"

#include <QAbstractItemView>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QResizeEvent>
#include <QTimer>
#include <QWheelEvent>

ChoiceCombo::ChoiceCombo(QWidget *parent) : QComboBox(parent)
{
    // Made editable by its own edit field: setEditable(true) would also make the drop-down list,
    // as the style's hint for a list that is not yet editable asks.
    auto *field = new QLineEdit(this);
    field->setPalette(palette());
    setLineEdit(field);
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

QSize ChoiceCombo::sizeHint() const
{
    m_sized = true;
    return QComboBox::sizeHint();
}

QSize ChoiceCombo::minimumSizeHint() const
{
    m_sized = true;
    return QComboBox::minimumSizeHint();
}

// QComboBox makes its drop-down list (a window of its own, with a list view) the moment its
// font changes, to give the list the new font, though nobody may ever open it; the window's
// two choice lists would make theirs at start-up. Until the list is made and before any size
// was measured in the old font, the font change is taken as a plain widget's: the edit field
// is placed again for it, and the list, made when it first opens, takes the font from it.
void ChoiceCombo::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange && !listMade() && !m_sized) {
        QWidget::changeEvent(event);
        QResizeEvent placed(size(), size());
        QComboBox::resizeEvent(&placed);
        return;
    }
    QComboBox::changeEvent(event);
}

// The drop-down list's frame is the one child window QComboBox makes, and only when it makes
// the list.
bool ChoiceCombo::listMade() const
{
    return findChild<QFrame *>(QString(), Qt::FindDirectChildrenOnly) != nullptr;
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
