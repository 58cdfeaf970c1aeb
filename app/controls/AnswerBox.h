#pragma once

#include <QLineEdit>

// One answer box: a single line with centred text and the input method switched off, whose
// background colour tells right from wrong after scoring. It reports the player's clicks.
class AnswerBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit AnswerBox(QWidget *parent = nullptr);

    void setBackColor(const QColor &color);
    QColor backColor() const;

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
