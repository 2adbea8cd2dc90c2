#pragma once

#include <QLatin1StringView>

// The words both ends of the synchronisation agree on: the endpoint's
// pages, the posted field names and the reply words.
namespace SyncProtocol {

inline constexpr QLatin1StringView kPageDelete("/delete50.asp");
inline constexpr QLatin1StringView kPageUpdate("/update50.asp");
inline constexpr QLatin1StringView kPageUpdateFile("/updatefiles51.asp");
inline constexpr QLatin1StringView kPageDeleteProductFiles("/deletepfiles50.asp");
inline constexpr QLatin1StringView kPageDeleteFile("/deletefile50.asp");
inline constexpr QLatin1StringView kPageEmptyHome("/emptyhome50.asp");
inline constexpr QLatin1StringView kPageEmptyPhotoFolder("/emptyphotofolder50.asp");
inline constexpr QLatin1StringView kPageDownloadData("/downloaddata50.asp");
inline constexpr QLatin1StringView kPageNotifyDownload("/notifydldata50.asp");
inline constexpr QLatin1StringView kPageNotifyDeletion("/notifydelrec50.asp");
inline constexpr QLatin1StringView kPageConfirmDeletion("/confirmdelrec50.asp");
// The SMS relay's pages: the account's credit, and one message.
inline constexpr QLatin1StringView kPageCheckSms("/checksms50.asp");
inline constexpr QLatin1StringView kPageSendSms("/sendsms50.asp");

inline constexpr QLatin1StringView kUserCode("PF_UserCode");
inline constexpr QLatin1StringView kPassword("PF_Password");
inline constexpr QLatin1StringView kTableName("PF_TableName");
inline constexpr QLatin1StringView kPath("PF_Path");
inline constexpr QLatin1StringView kFileName("PF_FileName");
inline constexpr QLatin1StringView kFlagFirst("PF_FlagFirst");
inline constexpr QLatin1StringView kNumBytes("PF_NumBytes");
inline constexpr QLatin1StringView kBytes("PF_Bytes");
inline constexpr QLatin1StringView kTotalBytes("PF_TotalBytes");
inline constexpr QLatin1StringView kOffset("PF_Offset");
inline constexpr QLatin1StringView kFromId("PF_FromID");
inline constexpr QLatin1StringView kId("PF_ID");
// The version of a fetched row, as the shop sent it with the row; its
// confirmation names it, so a row changed since is not unmarked.
inline constexpr QLatin1StringView kVersion("PF_Versione");
inline constexpr QLatin1StringView kVersionTag("Versione");

inline constexpr QLatin1StringView kOk("OK");
inline constexpr QLatin1StringView kEof("EOF");
inline constexpr QLatin1StringView kWrongPassword("Password errata!");
inline constexpr QLatin1StringView kUnknownAccount("Utente sconosciuto!");
inline constexpr QLatin1StringView kTransmissionError("Errore di trasmissione.");
// The start of the reply to a row the shop changed after the desktop's
// copy: the row is left as the shop has it, and the upload goes on.
inline constexpr QLatin1StringView kConflict("Conflitto");
inline constexpr QLatin1StringView kServerUnreachable("Impossibile contattare il server.");

} // namespace SyncProtocol
