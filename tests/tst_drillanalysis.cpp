// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/DrillResult.h"
#include "stats/core/DrillAnalysis.h"
#include "stats/core/RowComparison.h"

#include <QTest>

// The kinds of error, the confused digits and the recall timing, each on rows made by hand with
// a known answer.
namespace {

// A typed row written as text: one character a box, '_' for an empty one.
QStringList boxes(const QString &typed)
{
    QStringList answers;
    for (QChar c : typed)
        answers.append(c == u'_' ? QString() : QString(c));
    return answers;
}

// A scored drill of the shown digits against the typed row, with entry times when given.
DrillResult drill(const QString &shown, const QString &typed, const QList<qint64> &entryMs = {})
{
    QStringList digits;
    for (QChar c : shown)
        digits.append(QString(c));
    const auto n = static_cast<int16_t>(shown.size());
    DrillResult result = DrillResult::score(boxes(typed), digits, n, 5);
    result.entryMs = entryMs;
    result.refills = QList<int>(n, 0);
    return result;
}

// Entry times of a row typed in the given groups: each group's first entry after a pause, the
// rest at a steady pace, each wait varied by the jitter in turn (+, -, 0, ...).
QList<qint64> timesOf(const QList<int> &groups, qint64 paceMs, qint64 pauseMs, qint64 jitterMs)
{
    QList<qint64> times;
    qint64 t = 1500; // reading the first box: not a wait between entries
    int entry = 0;
    for (int size : groups) {
        for (int i = 0; i < size; ++i, ++entry) {
            if (entry > 0) {
                const qint64 vary = entry % 3 == 0 ? 0 : entry % 3 == 1 ? jitterMs : -jitterMs;
                t += (i == 0 ? pauseMs : paceMs) + vary;
            }
            times.append(t);
        }
    }
    return times;
}

using Triples = QList<std::tuple<int, int, int>>;

} // namespace

Q_DECLARE_METATYPE(ErrorKind)

class tst_DrillAnalysis : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void errorKind_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<ErrorKind>("kind");
        QTest::newRow("neighbour swap") << "12345"
                                        << "12435" << ErrorKind::NeighbourSwap;
        QTest::newRow("neighbour swap at the start") << "12345"
                                                     << "21345" << ErrorKind::NeighbourSwap;
        QTest::newRow("neighbour swap of repeated digits") << "11223"
                                                           << "12123" << ErrorKind::NeighbourSwap;
        QTest::newRow("distant swap") << "123456"
                                      << "126453" << ErrorKind::DistantSwap;
        QTest::newRow("left out, last box empty") << "123456"
                                                  << "12456_" << ErrorKind::Omission;
        QTest::newRow("left out, last box guessed") << "123456"
                                                    << "124567" << ErrorKind::Omission;
        QTest::newRow("first left out") << "12345"
                                        << "2345_" << ErrorKind::Omission;
        QTest::newRow("added") << "12345"
                               << "12734" << ErrorKind::Insertion;
        QTest::newRow("added first") << "12345"
                                     << "71234" << ErrorKind::Insertion;
        QTest::newRow("a box skipped") << "12345"
                                       << "12_34" << ErrorKind::Insertion;
        QTest::newRow("replaced") << "12345"
                                  << "12845" << ErrorKind::Replacement;
        QTest::newRow("replaced last, not added") << "12345"
                                                  << "12346" << ErrorKind::Replacement;
        QTest::newRow("one box empty inside") << "12345"
                                              << "1_345" << ErrorKind::Replacement;
        QTest::newRow("a full-width digit") << "12345"
                                            << "12３45" << ErrorKind::Replacement;
        QTest::newRow("empty at the end") << "12345"
                                          << "123__" << ErrorKind::EmptyEnd;
        QTest::newRow("last left out is empty at the end") << "12345"
                                                           << "1234_" << ErrorKind::EmptyEnd;
        QTest::newRow("every box empty") << "12345"
                                         << "_____" << ErrorKind::EmptyEnd;
        QTest::newRow("one digit, empty") << "7"
                                          << "_" << ErrorKind::EmptyEnd;
        QTest::newRow("one digit, replaced") << "7"
                                             << "1" << ErrorKind::Replacement;
        QTest::newRow("two replaced apart") << "12345"
                                            << "82375" << ErrorKind::Several;
        QTest::newRow("swap, then stopped") << "123456"
                                            << "2134__" << ErrorKind::Several;
        QTest::newRow("left out, then stopped") << "123456"
                                                << "1245__" << ErrorKind::Several;
        QTest::newRow("two swaps") << "123456"
                                   << "213465" << ErrorKind::Several;
    }
    void errorKind()
    {
        QFETCH(QString, shown);
        QFETCH(QString, typed);
        QFETCH(ErrorKind, kind);
        const RowComparison row = RowComparison::of(shown, boxes(typed));
        QVERIFY(!row.right);
        QCOMPARE(row.kind, kind);
        // A swap is also two replacements; read as a swap it confuses no digits.
        if (kind == ErrorKind::NeighbourSwap || kind == ErrorKind::DistantSwap)
            QVERIFY(row.replaced.isEmpty());
    }

    void rightRowHasNoError()
    {
        const RowComparison row = RowComparison::of(u"0812"_qs, boxes(u"0812"_qs));
        QVERIFY(row.right);
        QVERIFY(row.replaced.isEmpty());
    }

    void editDistance_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("distance");
        QTest::newRow("same") << "1234"
                              << "1234" << 0;
        QTest::newRow("neighbours swapped") << "1234"
                                            << "1324" << 1;
        QTest::newRow("one left out") << "1234"
                                      << "124" << 1;
        QTest::newRow("one added") << "1234"
                                   << "12834" << 1;
        QTest::newRow("swap, edited again") << "ca"
                                            << "abc" << 3; // no edit of a swapped pair
        QTest::newRow("from nothing") << ""
                                      << "123" << 3;
    }
    void editDistance()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, distance);
        QCOMPARE(RowComparison::editDistance(from, to), distance);
    }

    // Shown digit against typed digit (10: an empty box), over the replaced positions only; the
    // wrong positions the table leaves out are still counted.
    void confusionCounts_data()
    {
        QTest::addColumn<QStringList>("rows"); // shown/typed
        QTest::addColumn<Triples>("counts");   // shown, typed, count
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("wrongPositions");
        QTest::newRow("one replaced")
            << QStringList{u"12345/12845"_qs} << Triples{{3, 8, 1}} << 1 << 1;
        QTest::newRow("empty box inside")
            << QStringList{u"12345/12_45"_qs} << Triples{{3, 10, 1}, {3, 8, 0}} << 1 << 1;
        QTest::newRow("a swap confuses none")
            << QStringList{u"12345/12435"_qs} << Triples{{3, 4, 0}, {4, 3, 0}} << 0 << 2;
        QTest::newRow("several, each replaced counted")
            << QStringList{u"12345/82375"_qs, u"12345/82345"_qs}
            << Triples{{1, 8, 2}, {4, 7, 1}, {5, 5, 0}} << 3 << 3;
        QTest::newRow("left out: nothing replaced")
            << QStringList{u"123456/12456_"_qs} << Triples{{3, 4, 0}} << 0 << 4;
        QTest::newRow("empty at the end: nothing replaced")
            << QStringList{u"12345/12___"_qs} << Triples{{3, 10, 0}} << 0 << 3;
        QTest::newRow("0 typed as 9") << QStringList{u"0/9"_qs, u"0/9"_qs, u"8/0"_qs}
                                      << Triples{{0, 9, 2}, {8, 0, 1}} << 3 << 3;
        QTest::newRow("a letter is not counted")
            << QStringList{u"123/1a3"_qs} << Triples{} << 0 << 1;
        QTest::newRow("a right row has none") << QStringList{u"123/123"_qs} << Triples{} << 0 << 0;
    }
    void confusionCounts()
    {
        QFETCH(QStringList, rows);
        QFETCH(Triples, counts);
        QFETCH(int, total);
        QFETCH(int, wrongPositions);
        DrillAnalysis analysis;
        for (const QString &row : rows)
            analysis.add(drill(row.section(u'/', 0, 0), row.section(u'/', 1, 1)));
        for (const auto &[shown, typed, count] : counts)
            QCOMPARE(analysis.confusion().count(shown, typed), count);
        QCOMPARE(analysis.confusion().total(), total);
        QCOMPARE(analysis.wrongPositions(), wrongPositions);
    }

    void groupsFromPauses_data()
    {
        QTest::addColumn<QList<int>>("groups"); // as typed
        QTest::addColumn<qint64>("paceMs");
        QTest::addColumn<qint64>("pauseMs");
        QTest::addColumn<qint64>("jitterMs");
        QTest::addColumn<QList<int>>("found");
        QTest::newRow("3-3-2") << QList<int>{3, 3, 2} << 300ll << 800ll << 60ll
                               << QList<int>{3, 3, 2};
        QTest::newRow("4-4") << QList<int>{4, 4} << 250ll << 700ll << 50ll << QList<int>{4, 4};
        QTest::newRow("3-4, slow pace")
            << QList<int>{3, 4} << 600ll << 1200ll << 120ll << QList<int>{3, 4};
        QTest::newRow("pairs of 15") << QList<int>{2, 2, 2, 2, 2, 2, 2, 1} << 300ll << 700ll << 40ll
                                     << QList<int>{2, 2, 2, 2, 2, 2, 2, 1};
        QTest::newRow("even, 8 digits")
            << QList<int>{8} << 400ll << 400ll << 100ll << QList<int>{8};
        QTest::newRow("even, quick and uneven")
            << QList<int>{10} << 180ll << 180ll << 60ll << QList<int>{10};
        // A quarter slower than the pace now and then: a slow typist's jitter, not a pause.
        QTest::newRow("even, slow and uneven")
            << QList<int>{6} << 1000ll << 1000ll << 250ll << QList<int>{6};
        // Twice the pace, but 100 ms longer only: a quick typist's stumble, not a pause.
        QTest::newRow("small stumbles")
            << QList<int>{3, 3} << 100ll << 200ll << 0ll << QList<int>{6};
        QTest::newRow("two digits") << QList<int>{2} << 300ll << 300ll << 0ll << QList<int>{2};
    }
    void groupsFromPauses()
    {
        QFETCH(QList<int>, groups);
        QFETCH(qint64, paceMs);
        QFETCH(qint64, pauseMs);
        QFETCH(qint64, jitterMs);
        QFETCH(QList<int>, found);
        QCOMPARE(RecallTiming::groupsOf(timesOf(groups, paceMs, pauseMs, jitterMs)), found);
    }

    // The mean time to each position, over wholly right rows with usable times only, and the
    // grouping most of them show.
    void timingOfRightRows()
    {
        DrillAnalysis analysis;
        analysis.add(drill(u"123"_qs, u"123"_qs, {1000, 1400, 1800}));
        analysis.add(drill(u"456"_qs, u"456"_qs, {1200, 1600, 2400}));
        analysis.add(drill(u"456"_qs, u"457"_qs, {1, 2, 3}));         // wrong
        analysis.add(drill(u"456"_qs, u"456"_qs, {1000, 900, 1200})); // out of order
        DrillResult refilled = drill(u"456"_qs, u"456"_qs, {1, 2, 3});
        refilled.refills[1] = 1;
        analysis.add(refilled);
        analysis.add(drill(u"456"_qs, u"456"_qs)); // no times
        const RecallTiming &timing = analysis.timing();
        QCOMPARE(timing.rows(3), 2);
        QCOMPARE(timing.meanEntryMs(3, 1), 1100.0);
        QCOMPARE(timing.meanEntryMs(3, 2), 1500.0);
        QCOMPARE(timing.meanEntryMs(3, 3), 2100.0);

        for (int i = 0; i < 3; ++i)
            analysis.add(drill(u"12345678"_qs, u"12345678"_qs, timesOf({3, 3, 2}, 300, 900, 0)));
        analysis.add(drill(u"12345678"_qs, u"12345678"_qs, timesOf({4, 4}, 300, 900, 0)));
        analysis.add(drill(u"12345678"_qs, u"12345678"_qs, timesOf({4, 4}, 300, 900, 0)));
        const RecallTiming::Grouping common = timing.commonGrouping(8);
        QCOMPARE(common.groups, QList<int>({3, 3, 2}));
        QCOMPARE(common.rows, 3);
        QCOMPARE(timing.rows(8), 5);
        QCOMPARE(timing.commonGrouping(5).rows, 0);
    }

    void kindsByDigitCount()
    {
        DrillAnalysis analysis;
        analysis.add(drill(u"12345"_qs, u"12435"_qs));
        analysis.add(drill(u"12345"_qs, u"12845"_qs));
        analysis.add(drill(u"1234567"_qs, u"2134567"_qs));
        analysis.add(drill(u"1234567"_qs, u"1234567"_qs));
        DrillResult older = drill(u"12345"_qs, u"12345"_qs);
        older.shown.clear(); // saved before the details were kept
        older.answers.clear();
        analysis.add(older);
        QCOMPARE(analysis.drills(), 5);
        QCOMPARE(analysis.withoutDetails(), 1);
        QCOMPARE(analysis.wrongRows(), 3);
        QCOMPARE(analysis.wrongRows(5), 2);
        QCOMPARE(analysis.errors(ErrorKind::NeighbourSwap), 2);
        QCOMPARE(analysis.errors(ErrorKind::NeighbourSwap, 7), 1);
        QCOMPARE(analysis.errors(ErrorKind::Replacement, 7), 0);
        QCOMPARE(analysis.commonError(), ErrorKind::NeighbourSwap);
        // Of two as common, the one first in order.
        QCOMPARE(analysis.commonError(5), ErrorKind::NeighbourSwap);
    }
};

QTEST_GUILESS_MAIN(tst_DrillAnalysis)
#include "tst_drillanalysis.moc"
