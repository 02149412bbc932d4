#pragma once

#include "platform/platform.h"

#include <QElapsedTimer>

// The platform of the running program, built on Qt's widgets and services.
class QtPlatform final : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    Answer messageBox(const QString &caption, const QString &text, Icon icon,
                      Buttons buttons) override;
    int askChoice(const QString &caption, const QString &text, Icon icon,
                  const QStringList &buttons) override;
    QString openFileName(const QString &title, const QString &startFolder,
                         const QString &filter) override;
    QString saveFileName(const QString &title, const QString &suggestedPath,
                         const QString &filter) override;
    bool shellOpen(const QString &pathOrUrl) override;
    quint16 systemLanguageId() const override;
    quint32 tickCount() const override;
    QDateTime now() const override;
    QString tempFolder() const override;
    QString programPath() const override;
    PrintSpooler *printer() override;

private:
    std::unique_ptr<PrintSpooler> m_printer;
    QElapsedTimer m_clock;
    quint32 m_tickBase;
};
