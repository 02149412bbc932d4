#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

// Helpers shared by the fuzz targets.

// The fuzz input as bytes (copied: the parsers may keep views into it).
inline QByteArray fuzzBytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// A failed invariant: the input that broke it is kept by libFuzzer as a crash.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "invariant failed: %s (%s:%d)\n", #condition, __FILE__,           \
                         __LINE__);                                                                \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// A folder of this process for the parsers that read a path: in memory when /dev/shm exists.
inline QString fuzzScratchFolder()
{
    static QTemporaryDir folder(QDir(QStringLiteral("/dev/shm")).exists()
                                    ? QStringLiteral("/dev/shm/tivrel-fuzz-XXXXXX")
                                    : QDir::tempPath() + QStringLiteral("/tivrel-fuzz-XXXXXX"));
    return folder.path();
}

// Writes the bytes to a file of that name in the scratch folder and returns its path.
inline QString fuzzFile(const QString &name, const QByteArray &bytes)
{
    const QString path = fuzzScratchFolder() + u'/' + name;
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
    return path;
}

// A core application for the targets that need one (image plugins, locale); made once.
inline void fuzzApplication()
{
    static int argc = 1;
    static char name[] = "tivrel-fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication *app = new QCoreApplication(argc, argv);
    (void)app;
}
