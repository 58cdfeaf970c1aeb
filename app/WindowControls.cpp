// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowControls.h"

#include "controls/AnswerBox.h"
#include "controls/ChoiceCombo.h"
#include "controls/ChoiceComboAccessible.h"
#include "controls/CommandButton.h"
#include "controls/ConsoleColors.h"
#include "controls/GridView.h"
#include "controls/Shape.h"
#include "controls/ToggleButton.h"
#include "controls/Twips.h"
#include "controls/ValueLabel.h"
#include "controls/ValueLabelAccessible.h"
#include "resources/JapaneseFont.h"
#include "resources/Pictures.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

namespace {

// The point sizes of the window's Japanese face for the digit slots and the answer boxes, the
// result labels, and the captions and choice lists; other controls have the toolkit's font.
constexpr qreal digitPoints = 48, resultPoints = 20.25, captionPoints = 14.25;

// The fifteen slots of the digit row and of the answer row below it, in twips within Frame1:
// slot i starts slotPitch × (i − 1) right of the first. A digit slot is a little narrower than
// its answer box, so a thin gap shows between two digits.
constexpr int slotLeft = 225, slotPitch = 585, slotHeight = 975;
constexpr int digitTop = 1080, digitWidth = 555;
constexpr int answerTop = 2115, answerWidth = 570;

constexpr int slotLeftOf(int i)
{
    return slotLeft + slotPitch * (i - 1);
}

// The digit row spans 225 to 8970: the time bar above it is exactly as wide, and the cover
// reaches one pixel further right and two lower, so that no edge of a slot shows past it.
constexpr int digitRowWidth = slotLeftOf(DigitSlots::count) + digitWidth - slotLeft;
static_assert(digitRowWidth == 8745);

void place(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(Twips::rect(left, top, width, height));
}
QFrame *captionlessFrame(QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken); // etched
    frame->setFocusPolicy(Qt::NoFocus);
    return frame;
}

// A label with a single-line border, centred text and the button-face background. The border
// is a sunken one-pixel edge drawn in the theme's shading, not in the text colour. A screen
// reader reads it by its caption and its value.
ValueLabel *borderedLabel(QWidget *parent, const QFont &font, const QString &text,
                          const QString &caption)
{
    auto *label = new ValueLabel(caption, text, parent);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setLineWidth(1);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Button);
    label->setForegroundRole(QPalette::WindowText);
    return label;
}

void setTextColor(QLabel *label, const QColor &color)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
}

QWidget *straightLine(QWidget *parent, const QColor &color)
{
    auto *line = new QWidget(parent);
    line->setAutoFillBackground(true);
    QPalette pal = line->palette();
    pal.setColor(QPalette::Window, color);
    line->setPalette(pal);
    return line;
}

} // namespace

void WindowControls::setupUi(QWidget *window)
{
    // How screen readers see the value labels and the choice lists.
    ValueLabelAccessible::install();
    ChoiceComboAccessible::install();

    form = window;
    form->setObjectName(QStringLiteral("frmMain"));
    form->setWindowTitle(QStringLiteral("ケタモリ！"));
    form->setWindowIcon(Pictures::icon(Pictures::Icon::Bolt));
    form->setFixedSize(Twips::toPixels(9465), Twips::toPixels(6780));

    // The bands of the window from top to bottom. Within a band, controls that overlap are
    // created from the bottom layer up: a later sibling lies over an earlier one.
    makeHeaderBand();
    Frame1 = captionlessFrame(form);
    place(Frame1, 90, 1305, 9240, 5370);
    makeSettingsAndResults();
    makeTimeBar();
    makeDigitRow();
    makeAnswerRow();
    msgRireki = new GridView(Frame1);
    msgRireki->setTabKeyNavigation(false); // Tab leaves the table, as it does every control
    msgRireki->setFocusPolicy(Qt::StrongFocus);
    place(msgRireki, slotLeft, 3225, 8790, 1965);

    tmrStart = new QTimer(form);
    tmrStart->setInterval(1000);
    tmrKt = new QTimer(form);
    tmrKt->setInterval(500);
    // Never early (a coarse timer may run up to 5 % early): the tick that ends a display of T
    // seconds is due just as the T seconds are over.
    tmrKt->setTimerType(Qt::PreciseTimer);

    nameForScreenReaders();
    setUpTabOrder();
}

// The title logo, the six buttons and the etched separator under them.
void WindowControls::makeHeaderBand()
{
    // Black, and one pixel below it white.
    Line1(1) = straightLine(form, QColor(ConsoleColors::black));
    place(Line1(1), 150, 1260, 9150, 15);
    Line1(0) = straightLine(form, QColor(ConsoleColors::white));
    place(Line1(0), 150, 1275, 9150, 15);

    Image1 = new QLabel(form);
    Image1->setPixmap(Pictures::logo());
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(Image1, 150, 150, 3960, 990);

    struct ButtonDesign
    {
        CommandButton *&button;
        int left;
        const char16_t *caption;
        const char16_t *tooltip;
        Pictures::Icon picture;
    };
    // Left to right, each overlapping the one before by a pixel.
    const ButtonDesign buttons[] = {
        {cmdStart, 4350, u"スタート", u"ゲームをスタートします", Pictures::Icon::Bolt},
        {cmdKaitou, 5175, u"回答", u"答え合わせをします", Pictures::Icon::Notebook},
        {cmdHozon, 6000, u"保存", u"データを保存します", Pictures::Icon::Floppy},
        {cmdClear, 6825, u"クリア", u"履歴データをクリアします", Pictures::Icon::Sheets},
        {cmdHelp, 7650, u"ヘルプ", u"ヘルプファイルを開きます", Pictures::Icon::Question},
        {cmdEnd, 8475, u"終了", u"プログラムを終了します", Pictures::Icon::Exit},
    };
    for (const ButtonDesign &design : buttons) {
        design.button = new CommandButton(QString::fromUtf16(design.caption), form);
        design.button->setToolTip(QString::fromUtf16(design.tooltip));
        design.button->setIcon(Pictures::icon(design.picture));
        place(design.button, design.left, 150, 840, 915);
    }
}

// The first row of Frame1: the traffic light, the two choices with their captions, the
// auto-save switch and, in Frame2, the results.
void WindowControls::makeSettingsAndResults()
{
    // The red light on top of the yellow, the yellow on top of the green.
    const Pictures::Icon lights[] = {Pictures::Icon::LightRed, Pictures::Icon::LightYellow,
                                     Pictures::Icon::LightGreen};
    for (int k = 3; k >= 1; --k) {
        imgStart(k) = new QLabel(Frame1);
        imgStart(k)->setPixmap(Pictures::icon32(lights[k - 1]));
        imgStart(k)->setAlignment(Qt::AlignCenter);
        place(imgStart(k), 180, 270, 480, 480);
    }

    const QFont captionFont = japaneseFont(captionPoints);
    Label1(0) = new QLabel(QStringLiteral("問題数"), Frame1);
    Label1(0)->setFont(captionFont);
    Label1(0)->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(Label1(0), 810, 450, 960, 330);
    Label1(1) = new QLabel(QStringLiteral("表示秒数"), Frame1);
    Label1(1)->setFont(captionFont);
    Label1(1)->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(Label1(1), 2835, 450, 1140, 330);

    cboJikan = new ChoiceCombo(Frame1);
    cboJikan->setFont(captionFont);
    place(cboJikan, 4095, 405, 750, 405);
    cboMonsu = new ChoiceCombo(Frame1);
    cboMonsu->setFont(captionFont);
    cboMonsu->setEditText(QStringLiteral("Combo1"));
    place(cboMonsu, 1800, 405, 750, 405);

    Frame2 = captionlessFrame(Frame1);
    place(Frame2, 5760, 135, 3210, 735);
    const QFont resultFont = japaneseFont(resultPoints);
    lblRitu = borderedLabel(Frame2, resultFont, QStringLiteral("100.0%"), QStringLiteral("正解率"));
    setTextColor(lblRitu, QColor(ConsoleColors::black));
    place(lblRitu, 1575, 180, 1455, 465);
    lblNg = borderedLabel(Frame2, resultFont, QStringLiteral("15"), QStringLiteral("まちがいの数"));
    setTextColor(lblNg, QColor(ConsoleColors::red));
    place(lblNg, 855, 180, 600, 465);
    lblOk = borderedLabel(Frame2, resultFont, QStringLiteral("15"), QStringLiteral("正解の数"));
    setTextColor(lblOk, QColor(ConsoleColors::green));
    place(lblOk, 180, 180, 600, 465);

    chkAs = new ToggleButton(Frame1);
    chkAs->setToolTip(QStringLiteral("履歴の自動保存を制御します"));
    chkAs->setIcon(QIcon(Pictures::autoSave()));
    chkAs->setIconSize(QSize(16, 16));
    place(chkAs, 5040, 405, 420, 420);
}

// Blue over red, as wide as the digit row: narrowing the blue from the left shows the time
// used in red on the right.
void WindowControls::makeTimeBar()
{
    const QColor border = form->palette().color(QPalette::WindowText);
    shpJikanB = new Shape(Frame1);
    shpJikanB->setFill(Shape::Fill::Solid, QColor(ConsoleColors::red));
    shpJikanB->setBorderColor(border);
    shpJikanB->setGeometryTwips(slotLeft, 945, digitRowWidth, 75);
    shpJikanK = new Shape(Frame1);
    shpJikanK->setFill(Shape::Fill::Solid, QColor(ConsoleColors::blue));
    shpJikanK->setBorderColor(border);
    shpJikanK->setGeometryTwips(slotLeft, 945, digitRowWidth, 75);
}

// The fifteen digit slots and the cover over them.
void WindowControls::makeDigitRow()
{
    const QFont digitFont = japaneseFont(digitPoints);
    for (int i = 1; i <= DigitSlots::count; ++i) {
        lblMondai(i) =
            borderedLabel(Frame1, digitFont, QStringLiteral("8"), QStringLiteral("問題 %1").arg(i));
        place(lblMondai(i), slotLeftOf(i), digitTop, digitWidth, slotHeight);
    }
    shpWaku = new Shape(Frame1);
    shpWaku->setBackColor(QColor(ConsoleColors::white));
    shpWaku->setFill(Shape::Fill::DiagonalCross, QColor(ConsoleColors::lightGrey));
    shpWaku->setBorderColor(QColor(ConsoleColors::darkGrey));
    shpWaku->setGeometryTwips(slotLeft, digitTop, digitRowWidth + 15, slotHeight + 30);
}

// The fifteen answer boxes, under the digit slots.
void WindowControls::makeAnswerRow()
{
    const QFont digitFont = japaneseFont(digitPoints);
    for (int i = 1; i <= DigitSlots::count; ++i) {
        txtKaitou(i) = new AnswerBox(Frame1);
        txtKaitou(i)->setFont(digitFont);
        txtKaitou(i)->setBackColor(form->palette().color(QPalette::Base));
        place(txtKaitou(i), slotLeftOf(i), answerTop, answerWidth, slotHeight);
    }
    txtKaitou(1)->setText(QStringLiteral("8"));
}

// Every control has a Japanese name for screen readers. Buttons and captions are read by their
// texts; the digit slots and result labels by their captions and values (ValueLabel).
void WindowControls::nameForScreenReaders()
{
    form->setAccessibleName(form->windowTitle());
    Line1(0)->setAccessibleName(QStringLiteral("区切り線"));
    Line1(1)->setAccessibleName(QStringLiteral("区切り線"));
    Image1->setAccessibleName(QStringLiteral("ケタモリ！"));
    Frame1->setAccessibleName(QStringLiteral("ドリル"));
    Frame2->setAccessibleName(QStringLiteral("結果"));
    shpJikanB->setAccessibleName(QStringLiteral("経過時間"));
    shpJikanK->setAccessibleName(QStringLiteral("残り時間"));
    shpWaku->setAccessibleName(QStringLiteral("問題のふた"));
    const char16_t *lights[] = {u"信号（赤）", u"信号（黄）", u"信号（青）"};
    for (int k = 1; k <= 3; ++k)
        imgStart(k)->setAccessibleName(QString::fromUtf16(lights[k - 1]));
    for (int i = 1; i <= DigitSlots::count; ++i)
        txtKaitou(i)->setAccessibleName(QStringLiteral("回答 %1").arg(i));
    const std::pair<ChoiceCombo *, const char16_t *> choices[] = {{cboMonsu, u"問題数"},
                                                                  {cboJikan, u"表示秒数"}};
    for (const auto &[combo, name] : choices) {
        combo->setAccessibleName(QString::fromUtf16(name));
        if (combo->lineEdit())
            combo->lineEdit()->setAccessibleName(QString::fromUtf16(name));
    }
    chkAs->setAccessibleName(QStringLiteral("自動保存"));
    msgRireki->setAccessibleName(QStringLiteral("履歴"));
}

// Tab visits the six buttons left to right, then walks Frame1 from right to left: from 終了, the
// rightmost button, it comes down to the rightmost answer box that is open and runs along the
// row to box 1, then takes the two choices the same way, 表示秒数 (cboJikan, on the right)
// before 問題数 (cboMonsu). Typing moves the focus the other way, from box i on to box i + 1, so
// Shift+Tab from the choices goes back through the boxes in the order they were filled.
void WindowControls::setUpTabOrder()
{
    QList<QWidget *> chain = {cmdStart, cmdKaitou, cmdHozon, cmdClear, cmdHelp, cmdEnd};
    for (int i = DigitSlots::count; i >= 1; --i)
        chain.append(txtKaitou(i));
    chain.append({cboJikan, cboMonsu, chkAs, msgRireki});
    for (qsizetype n = 1; n < chain.size(); ++n)
        QWidget::setTabOrder(chain.at(n - 1), chain.at(n));
}
