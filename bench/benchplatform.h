#pragma once

#include "platform/platform.h"

#include <QDir>
#include <QElapsedTimer>

#include <cstdio>

// The platform of the benchmarks that build a main window: message boxes are printed and
// answered with OK, the clock is real.
class BenchPlatform final : public Platform {
public:
    explicit BenchPlatform(QString program) : m_program(std::move(program)) { m_clock.start(); }
    Answer messageBox(const QString &, const QString &text, Icon, Buttons) override
    {
        std::printf("  (message box: %s)\n", qPrintable(text.left(60)));
        return Answer::Ok;
    }
    int askChoice(const QString &, const QString &text, Icon, const QStringList &) override
    {
        std::printf("  (choice: %s)\n", qPrintable(text.left(60)));
        return -1;
    }
    QString openFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    bool shellOpen(const QString &) override { return false; }
    quint16 systemLanguageId() const override { return 1031; }
    quint32 tickCount() const override { return quint32(m_clock.elapsed()) + 1; }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    QString tempFolder() const override { return QDir::tempPath(); }
    QString programPath() const override { return m_program; }
    PrintSpooler *printer() override { return spooler; }

    PrintSpooler *spooler = nullptr;

private:
    QString m_program;
    QElapsedTimer m_clock;
};
