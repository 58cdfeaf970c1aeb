#pragma once

#include "app/HelpService.h"
#include "app/frmMain.h"
#include "drill/Clock.h"
#include "drill/DigitSource.h"

#include <QFile>
#include <QTemporaryDir>
#include <memory>

// A window over a temporary data folder, with a clock, digits and help viewer the test controls.
struct WindowFixture
{
    struct StillClock : Clock
    {
        qint64 seconds = 0;
        QDateTime now = QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6));
        qint64 wholeSeconds() const override { return seconds; }
        QDateTime localNow() const override { return now; }
    };
    struct CountingDigits : DigitSource
    {
        int next = 0;
        void reseed() override {}
        int nextDigit() override { return next++ % 9; }
    };
    struct RecordingHelp : HelpService
    {
        QStringList shown;
        int closes = 0;
        void displayTopic(QWidget *, const QString &file) override { shown.append(file); }
        void closeAll() override { ++closes; }
    };

    QTemporaryDir dir;
    StillClock clock;
    CountingDigits digits;
    RecordingHelp help;
    std::unique_ptr<frmMain> window;

    QString path(const QString &name) const { return dir.filePath(name); }

    void writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    QByteArray readFile(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Writes the two data files (a null history leaves that file out) and runs start-up.
    bool start(const QByteArray &settings, const QByteArray &history = QByteArray(""),
               QString *error = nullptr)
    {
        if (!settings.isNull())
            writeFile(QStringLiteral("設定.txt"), settings);
        if (!history.isNull())
            writeFile(QStringLiteral("履歴.txt"), history);
        window = std::make_unique<frmMain>(QDir(dir.path()), clock, digits, help);
        QString message;
        return window->frmMain_Load(error ? error : &message);
    }
};
