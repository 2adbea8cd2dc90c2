#pragma once

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

class QSaveFile;

// Pictures put in place for a save whose rows are not committed yet: each
// replaced or removed file is kept aside under a hidden name beside it, so
// that the flag that sends a picture with the site update and the picture
// itself go together or not at all. Confirm drops what was kept aside, once
// the rows are committed; Restore puts it back and takes the new files away,
// when they are not. A replacement neither confirmed nor restored is
// restored when it goes.
class CSostituzioneFile
{
public:
    CSostituzioneFile() = default;
    ~CSostituzioneFile();
    CSostituzioneFile(const CSostituzioneFile&) = delete;
    CSostituzioneFile& operator=(const CSostituzioneFile&) = delete;

    // Puts the written file in place; false with the message in *error.
    bool Replace(QSaveFile& file, QString* error);
    // Takes the file away (an absent one is fine); false with the message.
    bool Remove(const QString& path, QString* error);
    void Confirm();
    void Restore();

private:
    bool KeepAside(const QString& path, QString* error);
    static QString AsideName(const QString& path);

    std::vector<std::pair<QString, QString>> m_aside;   // final path, kept copy
    QStringList m_placed;                                // new files put in place
};
