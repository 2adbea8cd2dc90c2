#pragma once

#include <QString>
#include <QtGlobal>

// Archives spanned over fixed-size volume files: "name.000", "name.001" ...
// and the last one under the archive's own name ("name.zip"). Volumes start
// with the spanning signature; no header or record crosses two volumes.
// libzip reads and writes only plain archives, so a spanned archive is
// joined into a plain one to be read, and a plain one written by libzip is
// cut into volumes.
class CZipDiskStore
{
public:
    // The number of the end record's volume: 0 for a plain archive.
    static int LastVolumeNumber(const QString& archivePath);

    // The file of volume `number` of the spanned archive whose last volume is
    // `archivePath`.
    static QString VolumePath(const QString& archivePath, int number);

    // Writes the plain archive equivalent to the spanned one at `archivePath`
    // into `plainPath`: volumes laid end to end, the spanning signature
    // dropped, every offset made absolute and every volume number 0.
    static void JoinVolumes(const QString& archivePath, const QString& plainPath);

    // Cuts the plain archive at `plainPath` into volumes of `volumeSize`
    // bytes named after `archivePath`. An archive that fits in one volume
    // is moved to `archivePath` as it is, with no spanning signature.
    // Removes `plainPath` in both cases.
    static void SplitArchive(const QString& plainPath, const QString& archivePath, qint64 volumeSize);

    static constexpr int MaxVolumes = 999;
};
