#pragma once

#include "platform/testing/TempFolder.h"

#include <QProcess>
#include <QString>

// nginx on loopback as the TLS front of a shop, with a certificate for
// 127.0.0.1 made for the test and trusted by this process only.
class RoadTlsFront
{
public:
    // Throws std::runtime_error when nginx or openssl is missing or fails.
    explicit RoadTlsFront(quint16 backendPort);
    ~RoadTlsFront();

    quint16 Port() const { return m_port; }

private:
    void MakeCertificate();
    void TrustCertificate() const;
    void WriteConfig(quint16 backendPort) const;
    void WaitUntilListening() const;

    TempFolder m_dir;
    quint16 m_port = 0;
    QProcess m_nginx;
};
