// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/History.h"

#include "records/HistoryModel.h"
#include "records/HistoryStore.h"

#include <QTimer>
#include <QWidget>

History::History(QTableView &msgRireki, QWidget &form, HistoryFile &file, Clock &clock)
    : m_form(form), m_prompt(form), m_store(std::make_unique<HistoryStore>(file, clock, m_prompt)),
      m_table(msgRireki, m_store->model())
{
    QObject::connect(m_store.get(), &HistoryStore::contentsReplaced,
                     [this] { m_table.showNewest(); });
    QObject::connect(m_store.get(), &HistoryStore::appended, [this] { m_table.showNewest(); });
}

History::~History() = default;

HistoryModel &History::model()
{
    return m_store->model();
}

void History::InitRireki()
{
    m_table.setUp();
}

bool History::LoadHistory(QString *error)
{
    return m_store->load(error);
}

void History::Save(const DrillResult &result)
{
    m_store->save(result);
}

void History::ClearHistory()
{
    m_store->clear();
}

void History::tableShown()
{
    m_table.scrollToNewest();
    // Lines left out at start-up are told once, over the window the player now sees.
    if (m_store->skippedCount() > 0) {
        QTimer::singleShot(0, &m_form, [this] {
            m_prompt.inform(QStringLiteral("履歴の読み込み"), m_store->skippedLinesText());
        });
    }
}
