#pragma once

#include <QString>

class CHostConfig;

// The operator's commands for the shops of an archives folder:
//   qtr50d --config FILE --add-shop CODE FOLDER
//   qtr50d --config FILE --set-password CODE
// A new shop gets its account in the host database and a folder ready to
// serve: the installation's empty shop database and the shop's own pages,
// where the folder has none yet. Nothing that is there is overwritten.
class CHostAccounts
{
public:
    explicit CHostAccounts(const CHostConfig& config);

    // Throw std::exception with the reason.
    void AddShop(const QString& code, const QString& folder) const;
    void SetPassword(const QString& code, const QString& password) const;

    // The password typed at the terminal (twice, not shown), or the first
    // line of standard input when that is not a terminal. Empty when the
    // two typed differ or nothing came.
    static QString ReadPassword(const QString& code, QString* error);

private:
    void PrepareFolder(const QString& folder) const;

    const CHostConfig& m_config;
};
