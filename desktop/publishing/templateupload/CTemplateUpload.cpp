#include "desktop/publishing/templateupload/CTemplateUpload.h"

#include "exchange/CHttp.h"
#include "exchange/CSiteAddress.h"
#include "exchange/IExchangeProgress.h"
#include "platform/dao/CDaoException.h"
#include "recordset/CConfigurazioneSet.h"
#include "recordset/CLingueSet.h"
#include "recordset/sync/SyncProtocol.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString kPagesStatus = QStringLiteral("Cartella home: aggiornamento pagina %1/%2 in corso...");
const QString kImagesStatus = QStringLiteral("Cartella Generale: aggiornamento immagine %1/%2 in corso...");
const QString kLanguageStatus = QStringLiteral("Cartella %1: aggiornamento immagine %2/%3 in corso...");

// A language code names a folder of the project and of the site.
bool IsFolderName(const QString& code)
{
    static const QRegularExpression unsafe(QStringLiteral("[/\\\\:\\x00-\\x1f]"));
    return !code.isEmpty() && code != QLatin1String(".") && code != QLatin1String("..") && !code.contains(unsafe);
}

} // namespace

CTemplateUpload::CTemplateUpload(const QString& projectFolder)
    : m_strProjectFolder(QDir::cleanPath(projectFolder) + QLatin1Char('/'))
{
}

QString CTemplateUpload::Title() { return QStringLiteral("Aggiornamento modello grafico sito"); }

QString CTemplateUpload::Website() const { return m_strProjectFolder + QStringLiteral("website/"); }

QString CTemplateUpload::StateFile() const { return Website() + QStringLiteral("lastupd.qtr"); }

bool CTemplateUpload::HasTemplate() const { return QFileInfo::exists(Website() + QStringLiteral("asp/default.asp")); }

void CTemplateUpload::Load(CDaoDatabase* database)
{
    CConfigurazioneSet configurazione(database);
    configurazione.Open();
    if (configurazione.IsEOF())
        throw CDaoException(QStringLiteral("Manca la riga di Configurazione"));
    m_settings.host = configurazione.m_URLSito;
    m_settings.proxy = configurazione.m_ServerProxy;
    m_settings.port = configurazione.m_PortaHttp == 0 ? 80 : configurazione.m_PortaHttp;
    m_settings.proxyUser = configurazione.m_UserIDProxy;
    m_settings.proxyPassword = configurazione.m_PasswordProxy;
    m_settings.userCode = configurazione.m_CodiceUtente;
    m_settings.password = configurazione.m_Password;
    configurazione.Close();

    m_languages.clear();
    CLingueSet lingue(database);
    lingue.m_strFilter = QStringLiteral("Attivo=TRUE");
    lingue.Open();
    for (; !lingue.IsEOF(); lingue.MoveNext())
        m_languages.append({lingue.m_Codice, lingue.m_Descrizione});
}

QList<CTemplateUpload::Folder> CTemplateUpload::Folders() const
{
    QList<Folder> folders{{QStringLiteral("website/asp"), QString(), kPagesStatus},
                          {QStringLiteral("website/images"), QStringLiteral("images"), kImagesStatus}};
    for (const Language& language : m_languages) {
        if (!IsFolderName(language.code))
            continue;
        QString status = kLanguageStatus;
        folders.append({QStringLiteral("website/images/") + language.code, QStringLiteral("images\\") + language.code,
                        status.replace(QStringLiteral("%1"), language.description)
                            .replace(QStringLiteral("%2"), QStringLiteral("%1"))
                            .replace(QStringLiteral("%3"), QStringLiteral("%2"))});
    }
    return folders;
}

void CTemplateUpload::Report(const QString& text, int icon)
{
    if (m_progress)
        m_progress->Message(Title(), text, IExchangeProgress::Icon(icon));
}

// The password goes with every request: over plain http to another
// machine only when the merchant says so.
bool CTemplateUpload::AddressAccepted()
{
    if (!CSiteAddress::IsPlainRemote(m_settings.host))
        return true;
    if (m_progress && m_progress->Ask(Title(), CSiteAddress::PlainQuestion(m_settings.host)))
        return true;
    if (!m_progress)
        return false;
    Report(CSiteAddress::PlainRefusal(m_settings.host), IExchangeProgress::Error);
    return false;
}

void CTemplateUpload::AddAccount(CHttp& http, const QString& sitePath) const
{
    http.AddToPOSTFields(QString(SyncProtocol::kUserCode), m_settings.userCode, 1);
    http.AddToPOSTFields(QString(SyncProtocol::kPassword), m_settings.password, 0);
    http.AddToPOSTFields(QString(SyncProtocol::kPath), sitePath, 0);
}

bool CTemplateUpload::PostExpectingOk(CHttp& http, const QString& page)
{
    QString header;
    QString reply;
    if (!http.Post(page, &header, &reply))
        reply = QString(SyncProtocol::kServerUnreachable);
    if (reply == SyncProtocol::kOk)
        return true;
    Report(QStringLiteral("ERRORE:\n\n") + reply, IExchangeProgress::Exclamation);
    return false;
}

bool CTemplateUpload::EmptySite(CHttp& http)
{
    AddAccount(http, QString());
    if (!PostExpectingOk(http, QString(SyncProtocol::kPageEmptyHome)))
        return false;
    AddAccount(http, QStringLiteral("images"));
    return PostExpectingOk(http, QString(SyncProtocol::kPageEmptyPhotoFolder));
}

// A file sent before and gone now leaves the site too: its place there is
// its path below website/, without the leading asp/ of the pages.
bool CTemplateUpload::Deletions(CHttp& http)
{
    for (const QString& path : m_state.Paths()) {
        if (QFileInfo::exists(path))
            continue;
        QString relative = path.mid(Website().size());
        if (relative.startsWith(QLatin1String("asp/")))
            relative.remove(0, 4);
        const int slash = relative.lastIndexOf(QLatin1Char('/'));
        QString sitePath = slash < 0 ? QString() : relative.left(slash);
        sitePath.replace(QLatin1Char('/'), QLatin1Char('\\'));
        AddAccount(http, sitePath);
        http.AddToPOSTFields(QString(SyncProtocol::kFileName), relative.mid(slash + 1), 0);
        if (!PostExpectingOk(http, QString(SyncProtocol::kPageDeleteFile)))
            return false;
        m_state.Remove(path);
        if (Cancelled())
            return false;
    }
    return true;
}

bool CTemplateUpload::SendFile(CHttp& http, const QString& path, const QString& sitePath)
{
    AddAccount(http, sitePath);
    http.AddToPOSTFields(QString(SyncProtocol::kFileName), QFileInfo(path).fileName(), 0);
    http.SetPOSTFile(path);
    http.SetContentType(QStringLiteral("image/pjpeg"));
    QString header;
    QString reply;
    if (!http.PostFileBase64(QString(SyncProtocol::kPageUpdateFile), &header, &reply))
        reply = QString(SyncProtocol::kServerUnreachable);
    if (reply == SyncProtocol::kOk)
        return true;
    Report(QStringLiteral("ERRORE:\n\n") + reply, IExchangeProgress::Exclamation);
    return false;
}

// Only the folder's own files: its subfolders are never visited.
bool CTemplateUpload::SendFolder(CHttp& http, const Folder& folder)
{
    const QFileInfoList files = QDir(m_strProjectFolder + folder.local).entryInfoList(QDir::Files, QDir::Name);
    const int total = int(files.size());
    if (m_progress)
        m_progress->Update(IExchangeProgress::UPDUI_TABLE_RANGE, total);
    int count = 0;
    for (const QFileInfo& file : files) {
        ++count;
        if (m_progress) {
            m_progress->Update(IExchangeProgress::UPDUI_TABLE_TEXT, 0, folder.status.arg(count).arg(total));
            m_progress->Update(IExchangeProgress::UPDUI_TABLE_POS, count);
        }
        const QDateTime modified = file.lastModified();
        const QString path = file.absoluteFilePath();
        if (!m_state.IsUpToDate(path, modified) && file.size() > 0) {
            if (!SendFile(http, path, folder.sitePath))
                return false;
            m_state.Stamp(path, modified);
        }
        if (Cancelled())
            return false;
    }
    return true;
}

CTemplateUpload::Result CTemplateUpload::Run(IExchangeProgress* progress, const std::atomic<bool>& cancel)
{
    m_progress = progress;
    m_cancel = &cancel;
    m_state.Load(StateFile(), Website());
    bool ok = AddressAccepted();
    if (ok) {
        CHttp http(m_settings.host, m_settings.proxy, m_settings.port, m_settings.proxyUser, m_settings.proxyPassword,
                   progress);
        ok = (!m_state.IsEmpty() || EmptySite(http)) && Deletions(http);
        for (const Folder& folder : Folders()) {
            if (!ok || Cancelled())
                break;
            ok = SendFolder(http, folder);
        }
    }
    if (ok && Cancelled())
        ok = false;
    if (ok && !m_state.Save(StateFile())) {
        Report(QStringLiteral("Impossibile scrivere %1.").arg(StateFile()), IExchangeProgress::Error);
        ok = false;
    }
    if (ok)
        return Result::Done;
    return Cancelled() ? Result::Cancelled : Result::Failed;
}
