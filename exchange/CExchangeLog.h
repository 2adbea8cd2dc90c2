#pragma once

#include <QString>

// The log of an exchange job in the project folder (qtrupd.log, qtrdwn.log,
// qtrimp.log): one line per message, "dd/mm/yy  hh:mm:ss text", appended.
class CExchangeLog
{
public:
    CExchangeLog(const QString& projectFolder, const QString& fileName);

    // Nothing is written when there is no project folder.
    void Write(const QString& text) const;

private:
    QString m_path;
};
