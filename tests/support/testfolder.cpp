#include "support/testfolder.h"

#include <QFile>

TestFolder::TestFolder() = default;

QString TestFolder::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

QString TestFolder::programPath() const
{
    return file(QStringLiteral("tivrel"));
}

QString TestFolder::file(const QString &name) const
{
    return path() + name;
}

void TestFolder::write(const QString &name, const QByteArray &content) const
{
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
}

QByteArray TestFolder::read(const QString &name) const
{
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
