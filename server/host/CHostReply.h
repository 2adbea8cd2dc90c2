#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

// A reply ready to send: status, headers, and a body in memory or an open
// file descriptor that the sender takes over (and closes).
struct CHostReply
{
    int status = 200;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    int fileDescriptor = -1;
    qint64 fileSize = 0;

    void AddHeader(const QByteArray& name, const QByteArray& value) { headers.append({name, value}); }

    static CHostReply Plain(int status, const QByteArray& text)
    {
        CHostReply reply;
        reply.status = status;
        reply.AddHeader("Content-Type", "text/html; charset=utf-8");
        reply.body = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + text + "</title></head><body><h1>"
                     + text + "</h1></body></html>\n";
        return reply;
    }
};
