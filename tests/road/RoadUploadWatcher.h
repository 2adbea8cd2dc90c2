#pragma once

#include "exchange/IExchangeProgress.h"

#include <QStringList>

#include <functional>

// What the merchant would see of an upload run: every message, and the
// status line with a hook on it (where a test presses "Annulla").
class RoadUploadWatcher : public IExchangeProgress
{
public:
    void Update(UpdateCommand command, qint64, const QString& text) override
    {
        if (command == UPDUI_TABLE_TEXT) {
            statuses << text;
            if (onStatus)
                onStatus(text);
        }
    }
    void Download(DownloadCommand, qint64, const QString&) override {}
    void Import(ImportCommand, qint64, const QString&) override {}
    void TransferRange(qint64) override {}
    void TransferPos(qint64) override {}
    void Message(const QString&, const QString& text, Icon) override { messages << text; }

    QStringList messages;
    QStringList statuses;
    std::function<void(const QString&)> onStatus;
};
