#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary folder that stands in for the program's folder: the program file is
// <folder>/tivrel, so the settings file is tivrel.ini and the draw log tivrel.log.
class TestFolder {
public:
    TestFolder();
    QString path() const; // with a trailing '/'
    QString programPath() const;
    QString file(const QString &name) const; // a path inside the folder
    void write(const QString &name, const QByteArray &content) const;
    QByteArray read(const QString &name) const;

private:
    QTemporaryDir m_dir;
};
