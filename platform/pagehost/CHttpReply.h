#pragma once

#include <QByteArray>
#include <QFile>

#include <memory>

// A reply ready to send: the status line and headers, then either the body
// in memory or an open file to send after them.
struct CHttpReply
{
    QByteArray head;
    QByteArray body;
    std::unique_ptr<QFile> file;
    // Refused requests end the connection: the rest of what the client
    // sends cannot be told from a new request.
    bool closeAfter = false;
};
