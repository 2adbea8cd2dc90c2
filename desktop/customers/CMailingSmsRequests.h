#pragma once

#include "desktop/customers/IMailingSms.h"
#include "desktop/customers/SmsSettings.h"

class CDaoDatabase;

// The mailing's SMS through the shop server's requests. The account is read
// from the project when the run is prepared, on the window's thread, so the
// worker that sends never touches the project's connection.
class CMailingSmsRequests : public IMailingSms
{
public:
    explicit CMailingSmsRequests(CDaoDatabase& db);

    bool LoadSettings() override;
    Reply CheckCredit() override;
    Reply Send(const QString& originator, const QString& recipient, const QString& text) override;

private:
    SmsSettings m_settings;
    bool m_bLoaded = false;
};
