#pragma once

#include <QString>

// What the exchange jobs tell the dialog that watches them, in the jobs'
// own words: one command set for the upload, one for the download and one
// for the import, the transfer bar of a file being sent, and messages. A
// job given no sink writes its messages to its log file instead.
//
// Every call is made on the job's thread, a worker's when a dialog runs
// it. Reports may be passed on queued; the password and the default
// language are read right after asking, so those two are answered before
// the call returns, as are the messages. The pump commands ask for
// nothing: a job on a worker never needs events let through for it.
class IExchangeProgress
{
public:
    enum UpdateCommand {
        UPDUI_DISABLE_START = 0,
        UPDUI_ENABLE_START = 1,
        UPDUI_SHOW_MESSAGE = 2,
        UPDUI_SET_MESSAGE = 3,
        UPDUI_SHOW_ANIMATION = 4,
        UPDUI_HIDE_ANIMATION = 5,
        UPDUI_TABLE_RANGE = 6,
        UPDUI_TABLE_TEXT = 7,
        UPDUI_TABLE_POS = 8,
        UPDUI_RECORD_RANGE = 9,
        UPDUI_RECORD_TEXT = 10,
        UPDUI_RECORD_POS = 11,
        UPDUI_PUMP = 12,
        UPDUI_ASK_PASSWORD = 13,
    };
    enum DownloadCommand {
        DWNUI_ASK_PASSWORD = 0,
        DWNUI_SHOW_ANIMATION = 1,
        DWNUI_DISABLE_START = 2,
        DWNUI_HIDE_ANIMATION = 3,
        DWNUI_POS = 4,
        DWNUI_RANGE = 5,
        DWNUI_TEXT = 6,
        DWNUI_PUMP = 7,
        DWNUI_SET_LANGUAGE = 8,
    };
    enum ImportCommand {
        IMPUI_TEXT = 0,
        IMPUI_RANGE = 1,
        IMPUI_PUMP = 2,
        IMPUI_POS = 3,
    };
    enum Icon { Information, Exclamation, Error };

    virtual ~IExchangeProgress() = default;

    // number carries ranges and positions, text the labels.
    virtual void Update(UpdateCommand command, qint64 number = 0, const QString& text = QString()) = 0;
    virtual void Download(DownloadCommand command, qint64 number = 0, const QString& text = QString()) = 0;
    virtual void Import(ImportCommand command, qint64 number = 0, const QString& text = QString()) = 0;

    // The transfer of one file: total bytes, then the bytes sent so far.
    virtual void TransferRange(qint64 total) = 0;
    virtual void TransferPos(qint64 position) = 0;

    virtual void Message(const QString& title, const QString& text, Icon icon) = 0;
    // A question the job needs answered before it goes on: true for yes. A
    // sink that cannot ask anyone answers no.
    virtual bool Ask(const QString& title, const QString& text)
    {
        Q_UNUSED(title);
        Q_UNUSED(text);
        return false;
    }
};
