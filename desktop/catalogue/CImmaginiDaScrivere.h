#pragma once

#include <QImage>
#include <QString>

#include <memory>
#include <vector>

class QSaveFile;

// The pictures of one save, written beside their final names first and put
// in place together by Commit, once the rows that stand for them are
// saved. Until then the old pictures stay as they were; what is not
// committed is thrown away when the object goes.
class CImmaginiDaScrivere
{
public:
    CImmaginiDaScrivere();
    ~CImmaginiDaScrivere();
    CImmaginiDaScrivere(const CImmaginiDaScrivere&) = delete;
    CImmaginiDaScrivere& operator=(const CImmaginiDaScrivere&) = delete;

    // Writes image as JPEG for path; false with the message in *error.
    bool Add(const QImage& image, const QString& path, QString* error);
    // Renames every file written into place; false with the message of
    // the first that could not be.
    bool Commit(QString* error);
    bool IsEmpty() const { return m_files.empty(); }

private:
    std::vector<std::unique_ptr<QSaveFile>> m_files;
};
