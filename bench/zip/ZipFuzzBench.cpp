// Feeds the zip reader archives damaged at random for a bounded time:
// flipped bytes, cut and inserted runs, headers with wild sizes. Every
// archive must end in a clean CZipException or read through; anything else
// (a crash, another exception, a file outside the target) fails the run.
// Also reads the sound archives three times and prints min, median and max,
// against a plain copy of the same bytes as the yardstick.
//   bench_zip_fuzz [seconds=60] [seed=1]

#include "platform/zip/CZipContainer.h"
#include "platform/zip/CZipException.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QByteArray Seed(const QString& folder, int level, quint32 seed)
{
    QRandomGenerator random(seed);
    QDir().mkpath(folder + "/src");
    QFile text(folder + "/src/pagina.asp");
    text.open(QIODevice::WriteOnly);
    text.write(QByteArray("<% Response.Write('Bottega del Lago') %>\n").repeated(400));
    text.close();
    QFile noise(folder + "/src/foto.jpg");
    noise.open(QIODevice::WriteOnly);
    QByteArray bytes(30000, Qt::Uninitialized);
    for (char& b : bytes)
        b = char(random.bounded(256));
    noise.write(bytes);
    noise.close();
    const QString path = folder + "/seed.zip";
    CZipContainer zip;
    zip.OpenContainer(path, CZipContainer::Create);
    zip.AddFileEntry(folder + "/src/pagina.asp", level, false);
    zip.AddFileEntry(folder + "/src/foto.jpg", level, false);
    zip.CloseContainer();
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QByteArray Mutate(QByteArray z, QRandomGenerator& random)
{
    const int steps = 1 + int(random.bounded(4));
    for (int s = 0; s < steps && !z.isEmpty(); ++s) {
        const int at = int(random.bounded(quint32(z.size())));
        switch (random.bounded(5)) {
        case 0: z[at] = char(random.bounded(256)); break;
        case 1: z.remove(at, int(random.bounded(64)) + 1); break;
        case 2: z.insert(at, QByteArray(int(random.bounded(64)) + 1, char(random.bounded(256)))); break;
        case 3: // a wild 32-bit value where sizes and offsets live
            for (int i = 0; i < 4 && at + i < z.size(); ++i)
                z[at + i] = char(random.bounded(256));
            break;
        default: z.truncate(at); break;
        }
    }
    return z;
}

// 0 read through, the cause of a clean error, or -1 for anything else.
int ReadAll(const QString& path, const QString& target)
{
    CZipContainer zip;
    try {
        zip.OpenContainer(path, CZipContainer::OpenReadOnly);
        for (int i = 0; i < zip.CountEntries(); ++i)
            zip.ExtractEntry(i, target, true);
        zip.CloseContainer();
        return 0;
    } catch (const CZipException& e) {
        zip.CloseContainer(true);
        return e.GetCause();
    } catch (...) {
        return -1;
    }
}

QStringList FilesOutside(const QString& root, const QString& target)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        if (!file.startsWith(target + "/"))
            files.append(file);
    }
    files.sort();
    return files;
}

void Timed(const char* label, const std::function<void()>& body)
{
    std::vector<qint64> runs;
    for (int r = 0; r < 3; ++r) {
        QElapsedTimer timer;
        timer.start();
        body();
        runs.push_back(timer.nsecsElapsed() / 1000);
    }
    std::sort(runs.begin(), runs.end());
    std::printf("%-34s min %6lld us  median %6lld us  max %6lld us\n", label, (long long)runs[0],
                (long long)runs[1], (long long)runs[2]);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    QRandomGenerator random(argc > 2 ? quint32(std::atoi(argv[2])) : 1u);
    QTemporaryDir dir;
    const QString root = dir.path();
    const std::vector<QByteArray> seeds = {Seed(root + "/a", -1, 1), Seed(root + "/b", 0, 2), Seed(root + "/c", 9, 3)};

    Timed("read sound archive (2 entries)", [&] {
        QFile::remove(root + "/sound.zip");
        QFile f(root + "/sound.zip");
        f.open(QIODevice::WriteOnly);
        f.write(seeds[0]);
        f.close();
        ReadAll(root + "/sound.zip", root + "/out-sound");
    });
    Timed("copy of the same bytes (yardstick)", [&] {
        QFile f(root + "/copy.bin");
        f.open(QIODevice::WriteOnly);
        f.write(seeds[0]);
    });

    QMap<int, int> outcomes;
    qint64 rounds = 0;
    QElapsedTimer timer;
    timer.start();
    const QString path = root + "/fuzz.zip";
    const QString target = root + "/out";
    QFile(path).open(QIODevice::WriteOnly);
    const QStringList before = FilesOutside(root, target);
    while (timer.elapsed() < qint64(seconds) * 1000) {
        const QByteArray damaged = Mutate(seeds[random.bounded(quint32(seeds.size()))], random);
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(damaged);
        file.close();
        const int outcome = ReadAll(path, target);
        ++outcomes[outcome];
        ++rounds;
        if (outcome < 0) {
            QFile::copy(path, QDir::currentPath() + "/zip-fuzz-failure.zip");
            std::printf("FAIL: an exception other than CZipException (saved zip-fuzz-failure.zip)\n");
            return 1;
        }
        if (FilesOutside(root, target) != before) {
            std::printf("FAIL: a file was written outside the target folder\n");
            return 1;
        }
        QDir(target).removeRecursively();
    }
    std::printf("%lld damaged archives in %d s, no crash:\n", (long long)rounds, seconds);
    for (auto it = outcomes.cbegin(); it != outcomes.cend(); ++it)
        std::printf("  %-60s %d\n", it.key() == 0 ? "read through (damage not in checked bytes)"
                                                 : CZipException::CauseText(it.key()).toUtf8().constData(),
                    it.value());
    return 0;
}
