#pragma once

#include <cstdint>
#include <cstdlib>
#include <QFile>
#include <QTemporaryDir>
#include <string>

// The application folder of the whole fuzzing run, removed when the fuzzer ends normally.
inline QString FuzzFolder() {
    static const QTemporaryDir folder;
    return folder.path();
}

// Puts one input in the folder as DAZU.CFG, alone: no journal of an earlier input is left to
// be rolled into it. Returns the database's path.
inline std::string StoreAsDatabase(const std::uint8_t* data, std::size_t size) {
    const QString path = FuzzFolder() + QStringLiteral("/DAZU.CFG");
    for (const char* companion : {"-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(companion));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        std::abort();
    return path.toStdString();
}
