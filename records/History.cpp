// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/History.h"

#include "base/Clock.h"
#include "base/DrillResult.h"
#include "controls/ConsoleColors.h"
#include "controls/FittingTextDelegate.h"
#include "controls/GridLineStyle.h"
#include "controls/Twips.h"
#include "records/HistoryModel.h"
#include "records/NumberColumn.h"
#include "records/WriteWarning.h"
#include "records/core/HistoryFile.h"
#include "resources/JapaneseFont.h"

#include <QDebug>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QTableView>
#include <QTimer>

namespace {

// Rows of the table, header included, that fit without scrolling.
constexpr int visibleRows = 7;

// At most this many line numbers are listed when lines of the file are left out.
constexpr qsizetype listedLines = 10;

void reportSkippedLines(const QList<qint64> &lines, qint64 count)
{
    QStringList numbers;
    for (qsizetype i = 0; i < lines.size() && i < listedLines; ++i)
        numbers.append(QString::number(lines.at(i)));
    QString list = numbers.join(QStringLiteral(", "));
    if (count > listedLines)
        list += QStringLiteral(" ほか%1行").arg(count - listedLines);
    qWarning().noquote() << QStringLiteral(
                                "ketamori: %1 の %2 行は履歴の行ではないため読み飛ばしました"
                                "（%3 行目）。ファイルはそのままです。")
                                .arg(HistoryFile::fileName())
                                .arg(count)
                                .arg(list);
}

// At most this many line numbers are named in the window's messages.
constexpr qsizetype shownLines = 5;

// "3行（2、5、9行目）", the lines left out of the table, the first few by number.
QString linesText(const QList<qint64> &lines, qint64 count)
{
    QStringList numbers;
    for (qsizetype i = 0; i < lines.size() && i < shownLines; ++i)
        numbers.append(QString::number(lines.at(i)));
    return QStringLiteral("%1行（%2行目%3）")
        .arg(count)
        .arg(numbers.join(u'、'))
        .arg(count > numbers.size() ? QStringLiteral("など") : QString());
}

const QString readingTitle = QStringLiteral("履歴の読み込み");

} // namespace

History::History(QTableView &msgRireki, QWidget &form, HistoryFile &file, Clock &clock)
    : m_grid(msgRireki), m_form(form), m_file(file), m_clock(clock)
{
}

void History::InitRireki()
{
    QTableView *grid = &m_grid;
    // The font first: the model's header texts are measured as soon as it is set, and measuring
    // them in any other font would load that font for nothing.
    grid->setFont(japaneseFont(9));
    if (!m_model) {
        m_model = new HistoryModel(grid);
        grid->setModel(m_model);
        // The numbering column grows with the count of records (NumberColumn says when).
        const auto fitNumbers = [this] { NumberColumn::fit(m_grid, m_model->recordCount()); };
        QObject::connect(m_model, &QAbstractItemModel::rowsInserted, grid, fitNumbers);
        QObject::connect(m_model, &QAbstractItemModel::modelReset, grid, fitNumbers);
    }
    // The header and six records fill the table's inside exactly, so that a scrolled table,
    // which Qt aligns to the bottom of its last row, still starts on a row boundary under the
    // header: the header takes what is left over from whole rows.
    const int inside = grid->height() - 2 * grid->frameWidth();
    const int rowHeight = inside / visibleRows;
    const int headerHeight = inside - (visibleRows - 1) * rowHeight;

    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    grid->setWordWrap(false);
    grid->setCornerButtonEnabled(false);
    grid->setShowGrid(true);
    grid->setGridStyle(Qt::SolidLine);
    // Light grey lines between the cells, through the style rather than a style sheet.
    if (!qobject_cast<GridLineStyle *>(grid->style()))
        grid->setStyle(new GridLineStyle(QColor(ConsoleColors::lightGrey), grid));

    // Row 0, the header row.
    QHeaderView *header = grid->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setMinimumSectionSize(1);
    header->setStretchLastSection(false);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setDefaultAlignment(Qt::AlignCenter);
    header->setFixedHeight(headerHeight);
    for (int c = 0; c < HistoryModel::columns; ++c)
        header->resizeSection(c, Twips::toPixels(HistoryModel::columnWidthTwips(c)));

    // Column 0 numbers the rows itself; the view's own row header is not wanted. Its numbers
    // from 10000 on are wider than the column: they are drawn narrower, not cut off.
    if (!qobject_cast<FittingTextDelegate *>(grid->itemDelegateForColumn(0)))
        grid->setItemDelegateForColumn(0, new FittingTextDelegate(grid));
    QHeaderView *rows = grid->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(rowHeight);

    m_model->clear();
}

bool History::LoadHistory(QString *error)
{
    HistoryContents contents;
    QString problem;
    if (!m_file.read(&contents, &problem)) {
        if (error)
            *error = problem;
        return false;
    }
    if (!contents.skippedLines.isEmpty())
        reportSkippedLines(contents.skippedLines, contents.skippedCount);
    takeContents(std::move(contents));
    return true;
}

void History::takeContents(HistoryContents &&contents)
{
    m_skippedLines = std::move(contents.skippedLines);
    m_skippedCount = contents.skippedCount;
    m_model->setRecords(std::move(contents.records));
    leaveCurrentAtLastCell();
    applyScrollRule();
}

QString History::skippedLinesText() const
{
    if (m_skippedCount == 0)
        return {};
    return QStringLiteral("履歴ファイル「%1」の%2は、履歴の行として読めないため表に入れていません。"
                          "ファイルのこれらの行は書き換えずに残しています。")
        .arg(HistoryFile::fileName(), linesText(m_skippedLines, m_skippedCount));
}

bool History::followFileChanges(const QString &next, const QString &consequence,
                                const QString &errorTitle)
{
    if (!m_file.changedSinceRead())
        return true;
    HistoryContents contents;
    QString error;
    if (!m_file.read(&contents, &error) && !m_file.missing()) {
        if (errorTitle.isEmpty())
            warnNotWritten(&m_form, error, consequence);
        else
            warnNotWritten(&m_form, error, consequence, errorTitle);
        return false;
    }
    // A file deleted (or its folder) holds no records: the table is emptied to match.
    QString told =
        m_file.missing()
            ? QStringLiteral("履歴ファイル「%1」が見つかりません。表を空にしてから%2します。")
                  .arg(HistoryFile::fileName(), next)
            : QStringLiteral("履歴ファイル「%1」がほかのプログラムによって変更されています。"
                             "ファイルを読み込み直してから%2します。")
                  .arg(HistoryFile::fileName(), next);
    takeContents(std::move(contents));
    if (m_skippedCount > 0)
        told += QStringLiteral("\n\n") + skippedLinesText();
    QMessageBox::information(&m_form, readingTitle, told);
    return true;
}

void History::Save(const DrillResult &result)
{
    const QString notSaved = QStringLiteral("この結果は履歴に保存されていません。");
    if (!followFileChanges(QStringLiteral("保存"), notSaved))
        return;

    const HistoryRecord record = HistoryRecord::ofResult(m_clock.localNow(), result);

    QString error;
    if (!m_file.append(record, &error)) {
        warnNotWritten(&m_form, error, notSaved);
        return;
    }
    m_model->append(record);
    leaveCurrentAtLastCell();
    applyScrollRule();
}

void History::ClearHistory()
{
    const QString kept = QStringLiteral("履歴はそのまま残っています。");
    const QString clearError = QStringLiteral("クリアエラー");
    if (!followFileChanges(QStringLiteral("クリア"), kept, clearError))
        return;
    QString question = QStringLiteral("履歴データをクリアします。よろしいですか？");
    // Lines the table does not show go with the rest: the player is told before saying OK.
    if (m_skippedCount > 0)
        question += QStringLiteral("\n\n表に入れていない%1もファイルから消えます。")
                        .arg(linesText(m_skippedLines, m_skippedCount));
    QMessageBox confirm(QMessageBox::Warning, QStringLiteral("クリア確認"), question,
                        QMessageBox::Ok | QMessageBox::Cancel, &m_form);
    confirm.setDefaultButton(QMessageBox::Ok);
    if (confirm.exec() != QMessageBox::Ok)
        return;

    QString error;
    if (!m_file.clear(&error)) {
        warnNotWritten(&m_form, error, kept, clearError);
        return;
    }
    m_model->clear();
    m_skippedLines.clear();
    m_skippedCount = 0;
    QMessageBox::information(&m_form, QStringLiteral("クリア終了"),
                             QStringLiteral("履歴データをクリアしました"));
}

// Filling a row leaves its last cell current, and that is the cell the table's focus shows when
// the player reaches it with Tab: in view, at the newest record, not at a row scrolled away.
void History::leaveCurrentAtLastCell()
{
    const int records = m_model->recordCount();
    if (records == 0)
        return;
    m_grid.selectionModel()->setCurrentIndex(m_model->index(records - 1, HistoryModel::columns - 1),
                                             QItemSelectionModel::NoUpdate);
}

// With more rows than the table shows at once, the newest record is brought into view. The
// table can only scroll once it has its size, which a table not yet shown lacks: start-up loads
// the history before the window first appears, and the window calls tableShown() then.
void History::applyScrollRule()
{
    const int rowCount = m_model->recordCount() + 1; // the header row included
    QTableView *grid = &m_grid;
    if (rowCount <= visibleRows || !grid->isVisible())
        return;
    grid->doItemsLayout(); // the scroll range must know of rows just added
    grid->scrollTo(m_model->index(rowCount - 2, 0), QAbstractItemView::PositionAtTop);
}

void History::tableShown()
{
    applyScrollRule();
    // Lines left out at start-up are told once, over the window the player now sees.
    if (m_skippedCount > 0) {
        QTimer::singleShot(0, &m_form, [this] {
            QMessageBox::information(&m_form, readingTitle, skippedLinesText());
        });
    }
}
