#pragma once

#include <QString>

#include <atomic>

// The shared state of the exchange jobs and their dialogs: the cancel flags
// (0 runs, anything else stops; read by the job between records, raised by
// the dialog, atomic so a job may run on a thread of its own) and the
// account texts the dialog sets before a job starts.
extern std::atomic<int> FlagAnnullaUpd;
extern std::atomic<int> FlagAnnullaDwn;
extern std::atomic<int> FlagAnnullaImp;

extern QString UserCodeUpd;
extern QString PasswordUpd;
extern QString UserCodeDwn;
extern QString PasswordDwn;
extern QString CodiceLinguaDwn;
