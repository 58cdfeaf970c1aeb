// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/HistoryStore.h"

#include "base/Clock.h"
#include "base/DrillResult.h"
#include "records/HistoryModel.h"
#include "records/HistoryPrompt.h"
#include "records/core/DrillDetailText.h"
#include "records/core/DrillLog.h"
#include "records/core/HistoryFile.h"
#include "records/core/HistoryLine.h"

#include <QDebug>

namespace {

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
const QString saveErrorTitle = QStringLiteral("保存エラー");
const QString logTitle = QStringLiteral("詳細記録");

} // namespace

HistoryStore::HistoryStore(HistoryFile &file, Clock &clock, HistoryPrompt &prompt, DrillLog *log,
                           QObject *parent)
    : QObject(parent), m_file(file), m_clock(clock), m_prompt(prompt), m_log(log),
      m_model(new HistoryModel(this))
{
    if (m_log) {
        m_model->setToolTip([this](int row) {
            const std::optional<LoggedDrill> detail = detailOf(row);
            return detail ? drillDetailText(*detail) : QString();
        });
    }
}

HistoryStore::~HistoryStore() = default;

bool HistoryStore::load(QString *error)
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

void HistoryStore::takeContents(HistoryContents &&contents)
{
    m_skippedLines = std::move(contents.skippedLines);
    m_skippedCount = contents.skippedCount;
    m_loadedRecords = qint64(contents.records.size());
    // Every line of the file is a record or a line left out.
    m_lineCount = m_loadedRecords + m_skippedCount;
    m_model->setRecords(std::move(contents.records));
    Q_EMIT contentsReplaced();
}

QString HistoryStore::skippedLinesText() const
{
    if (m_skippedCount == 0)
        return {};
    return QStringLiteral("履歴ファイル「%1」の%2は、履歴の行として読めないため表に入れていません。"
                          "ファイルのこれらの行は書き換えずに残しています。")
        .arg(HistoryFile::fileName(), linesText(m_skippedLines, m_skippedCount));
}

bool HistoryStore::followFileChanges(const QString &next, const QString &consequence,
                                     const QString &title)
{
    if (!m_file.changedSinceRead())
        return true;
    HistoryContents contents;
    QString error;
    if (!m_file.read(&contents, &error) && !m_file.missing()) {
        m_prompt.warnNotWritten(error, consequence, title);
        return false;
    }
    // A file deleted (or its folder) holds no records: the model is emptied to match.
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
    m_prompt.inform(readingTitle, told);
    return true;
}

bool HistoryStore::save(const DrillResult &result)
{
    const QString notSaved = QStringLiteral("この結果は履歴に保存されていません。");
    if (!followFileChanges(QStringLiteral("保存"), notSaved, saveErrorTitle))
        return false;

    const QDateTime now = m_clock.localNow();
    const HistoryRecord record = HistoryRecord::ofResult(now, result);
    QString error;
    if (!m_file.append(record, &error)) {
        m_prompt.warnNotWritten(error, notSaved, saveErrorTitle);
        return false;
    }
    ++m_lineCount; // a cut-off last line was ended first, and counted already
    // The line is on disk; its detail follows, as far as the log lets it, before the table shows
    // the row, so that whatever the new row sets off (成績グラフ's pages) finds the detail too.
    if (m_log)
        m_log->append(result, now, HistoryLine::format(record).chopped(2), m_lineCount);
    m_model->append(record);
    Q_EMIT appended();
    if (m_log)
        tellLogNotice();
    return true;
}

void HistoryStore::tellLogNotice()
{
    if (!m_log)
        return;
    if (const QString notice = m_log->takeNotice(); !notice.isEmpty())
        m_prompt.inform(logTitle, notice);
}

qint64 HistoryStore::lineNumberOf(int row) const
{
    if (row >= m_loadedRecords) // saved since: after every line of the file as loaded
        return m_lineCount - (m_model->recordCount() - row) + 1;
    qint64 line = row + 1;
    for (const qint64 skipped : m_skippedLines) {
        if (skipped > line)
            return line;
        ++line;
    }
    return qint64(m_skippedLines.size()) < m_skippedCount ? -1 : line;
}

std::optional<LoggedDrill> HistoryStore::detailOf(int row)
{
    const qint64 line = lineNumberOf(row);
    if (!m_log || line < 1 || row < 0 || row >= m_model->recordCount())
        return std::nullopt;
    // What the log may have to say of its opening waits for the next save or clearing: a row's
    // detail is looked up while the table asks for a tooltip.
    return m_log->detailFor(line, HistoryLine::format(m_model->record(row)).chopped(2));
}

bool HistoryStore::clear()
{
    const QString kept = QStringLiteral("履歴はそのまま残っています。");
    const QString clearError = QStringLiteral("クリアエラー");
    if (!followFileChanges(QStringLiteral("クリア"), kept, clearError))
        return false;
    QString question = QStringLiteral("履歴データをクリアします。よろしいですか？");
    // Lines the table does not show go with the rest: the player is told before saying OK.
    if (m_skippedCount > 0)
        question += QStringLiteral("\n\n表に入れていない%1もファイルから消えます。")
                        .arg(linesText(m_skippedLines, m_skippedCount));
    if (!m_prompt.confirm(QStringLiteral("クリア確認"), question))
        return false;

    QString error;
    if (!m_file.clear(&error)) {
        m_prompt.warnNotWritten(error, kept, clearError);
        return false;
    }
    m_model->clear();
    m_skippedLines.clear();
    m_skippedCount = 0;
    m_loadedRecords = 0;
    m_lineCount = 0;
    // The details go with their lines; if they cannot, that is the one message of the clearing.
    QString logError;
    if (m_log && !m_log->clear(&logError)) {
        tellLogNotice();
        m_prompt.warnNotWritten(logError,
                                QStringLiteral("履歴データはクリアしましたが、詳細記録は消えずに"
                                               "残っています。"),
                                clearError);
        return true;
    }
    tellLogNotice();
    m_prompt.inform(QStringLiteral("クリア終了"), QStringLiteral("履歴データをクリアしました"));
    return true;
}
