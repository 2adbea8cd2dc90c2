#pragma once

#include <QString>

// The shop's account and server as the SMS requests need them: the same
// values the site update posts with.
struct SmsSettings
{
    QString strUserCode;
    QString strPassword;
    QString strServer;
    QString strProxy;
    int nPort = 80;
    QString strProxyUser;
    QString strProxyPassword;
};
