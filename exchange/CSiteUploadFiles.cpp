#include "exchange/CSiteUploadFiles.h"

#include "exchange/CHttp.h"
#include "exchange/CSiteUpload.h"
#include "exchange/IExchangeProgress.h"
#include "exchange/QtrUpdDatiState.h"
#include "platform/dao/CDaoDatabase.h"
#include "recordset/sync/SyncProtocol.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

namespace {

const QString kImagesTitle = QStringLiteral("Aggiornamento immagini sito");
const QString kFilesTitle = QStringLiteral("Aggiornamento files sito");
const QString kDataTitle = QStringLiteral("Aggiornamento dati sito");
const QString kAttachments = QStringLiteral("website/images/prodotti/files");
const QString kAttachmentsPath = QStringLiteral("images\\prodotti\\files");

} // namespace

CSiteUploadFiles::CSiteUploadFiles(CSiteUpload& upload) : m_upload(upload) {}

QString CSiteUploadFiles::Local(const QString& relative) const
{
    return m_upload.m_projectFolder + QLatin1Char('/') + relative;
}

QStringList CSiteUploadFiles::Attachments(const QString& pattern) const
{
    return QDir(Local(kAttachments)).entryList({pattern}, QDir::Files, QDir::Name);
}

int CSiteUploadFiles::FlaggedRows(const char* table, const char* flag) const
{
    QSqlQuery query(m_upload.m_database->Connection());
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2=1").arg(QLatin1String(table), QLatin1String(flag))))
        return 0;
    return query.next() ? query.value(0).toInt() : 0;
}

int CSiteUploadFiles::Count() const
{
    return 2 * FlaggedRows("Prodotti", "ModificataFoto") + 3 * FlaggedRows("ProdottiColori", "ModificataFoto")
           + FlaggedRows("ChiSiamo", "ModificataFoto") + FlaggedRows("CategorieLingue", "ModificataFoto")
           + FlaggedRows("SezioniLingue", "ModificataFoto") + FlaggedRows("ArticoliFiles", "ModificatoFile")
           + FlaggedRows("Banner", "ModificatoFile") + Attachments(QStringLiteral("m*.*")).size()
           + Attachments(QStringLiteral("d*")).size();
}

bool CSiteUploadFiles::Send()
{
    if (m_upload.Cancelled())
        return false;
    m_upload.Update(IExchangeProgress::UPDUI_TABLE_TEXT, 0, QString());
    m_upload.Update(IExchangeProgress::UPDUI_RECORD_TEXT, 0, QString());
    m_total = Count();
    if (m_total == 0)
        return true;
    m_counter = 1;
    m_upload.Update(IExchangeProgress::UPDUI_TABLE_RANGE, m_total);
    static const Kind kinds[] = {
        {"Aggiornamento immagini tabella Prodotti in corso...", "Prodotti", "ModificataFoto", "i", true},
        {"Aggiornamento immagini tabella Colori in corso...", "ProdottiColori", "ModificataFoto", "i", true},
        {"Aggiornamento logo azienda in corso...", "ChiSiamo", "ModificataFoto", "i", true},
        {"Aggiornamento icone categorie in corso...", "CategorieLingue", "ModificataFoto", "i", true},
        {"Aggiornamento icone sezioni in corso...", "SezioniLingue", "ModificataFoto", "i", true},
        {"Aggiornamento files articoli in corso...", "ArticoliFiles", "ModificatoFile", "f", false},
        {"Aggiornamento banner in corso...", "Banner", "ModificatoFile", "f", false},
    };
    for (const Kind& kind : kinds) {
        if (!SendKind(kind))
            return false;
    }
    return ProductAttachments();
}

// The files one row stands for, in the order they are sent.
QList<CSiteUploadFiles::File> CSiteUploadFiles::FilesOf(const Kind& kind, qint32 id, const QString& language) const
{
    const QString table = QLatin1String(kind.table);
    const QString idText = QString::number(id);
    if (table == QLatin1String("Prodotti"))
        return {{"images\\prodotti", idText + ".jpg", "website/images/prodotti/" + idText + ".jpg"},
                {"images\\prodotti\\th", idText + ".jpg", "website/images/prodotti/th/" + idText + ".jpg"}};
    if (table == QLatin1String("ProdottiColori"))
        return {{"images\\prodotti\\colori", idText + ".jpg", "website/images/prodotti/colori/" + idText + ".jpg"},
                {"images\\prodotti\\colori\\th", idText + ".jpg", "website/images/prodotti/colori/th/" + idText + ".jpg"},
                {"images\\prodotti\\colori\\dettagli", idText + ".jpg",
                 "website/images/prodotti/colori/dettagli/" + idText + ".jpg"}};
    if (table == QLatin1String("ChiSiamo"))
        return {{"images\\" + language, "su_logo.gif", "website/images/" + language + "/su_logo.gif"}};
    if (table == QLatin1String("CategorieLingue") || table == QLatin1String("SezioniLingue")) {
        const QString folder = table == QLatin1String("CategorieLingue") ? "categorie" : "sezioni";
        const QString base = "website/images/" + folder + "/" + language + "/" + idText;
        const QString extension = QFileInfo::exists(Local(base + ".jpg")) || !QFileInfo::exists(Local(base + ".gif"))
                                      ? ".jpg"
                                      : ".gif";
        return {{"images\\" + folder + "\\" + language, idText + extension, base + extension}};
    }
    const QString folder = table == QLatin1String("ArticoliFiles") ? "articoli/files" : "banner";
    const QStringList found = QDir(Local("website/images/" + folder)).entryList({idText + ".*"}, QDir::Files, QDir::Name);
    const QString name = found.isEmpty() ? idText : found.first();
    QString path = "images/" + folder;
    path.replace('/', '\\');
    return {{path, name, "website/images/" + folder + "/" + name}};
}

bool CSiteUploadFiles::SendKind(const Kind& kind)
{
    const QString table = QLatin1String(kind.table);
    const bool perLanguage = table == QLatin1String("ChiSiamo") || table.endsWith(QLatin1String("Lingue"));
    const QString idColumn = table == QLatin1String("CategorieLingue") ? "IDCategoria"
                             : table == QLatin1String("SezioniLingue") ? "IDSezione"
                                                                        : "ID";
    struct Row
    {
        qint32 rowId;
        qint32 id;
        QString language;
    };
    QList<Row> rows;
    {
        QSqlQuery query(m_upload.m_database->Connection());
        const QString language = perLanguage ? QStringLiteral("CodiceLingua") : QStringLiteral("''");
        if (!query.exec(QStringLiteral("SELECT ID, %1, %2 FROM %3 WHERE %4=1 ORDER BY ID")
                            .arg(idColumn, language, table, QLatin1String(kind.flag))))
            return true;   // a project without the table has nothing to send
        while (query.next())
            rows.append({query.value(0).toInt(), query.value(1).toInt(), query.value(2).toString()});
    }
    if (rows.isEmpty())
        return true;
    const QString title = kind.image ? kImagesTitle : kFilesTitle;
    auto http = m_upload.NewClient(m_upload.m_progress);
    m_upload.Update(IExchangeProgress::UPDUI_TABLE_TEXT, 0, QLatin1String(kind.tableText));
    for (const Row& row : rows) {
        for (const File& file : FilesOf(kind, row.id, row.language)) {
            if (!SendFile(*http, file, kind.image, title))
                return false;
        }
        m_upload.m_database->Execute(QStringLiteral("UPDATE %1 SET %2=0 WHERE ID=?").arg(table, QLatin1String(kind.flag)),
                                     {row.rowId});
        if (m_upload.Cancelled())
            return false;
    }
    return true;
}

void CSiteUploadFiles::Progress(bool image)
{
    m_upload.Update(IExchangeProgress::UPDUI_TABLE_POS, m_counter);
    const QString text = image ? QStringLiteral("Aggiornamento immagine %1/%2 in corso...")
                               : QStringLiteral("Aggiornamento file %1/%2 in corso...");
    m_upload.Update(IExchangeProgress::UPDUI_RECORD_TEXT, 0, text.arg(m_counter).arg(m_total));
    ++m_counter;
    m_upload.Update(IExchangeProgress::UPDUI_PUMP);
}

bool CSiteUploadFiles::SendFile(CHttp& http, const File& file, bool image, const QString& title)
{
    Progress(image);
    const QFileInfo local(Local(file.localFile));
    // A missing or empty file is passed over: the row may have lost its
    // thumbnail, and its other files still go.
    if (!local.isFile() || local.size() == 0)
        return true;
    m_upload.AddAccount(http);
    http.AddToPOSTFields(QString(SyncProtocol::kPath), file.path, 0);
    http.AddToPOSTFields(QString(SyncProtocol::kFileName), file.name, 0);
    http.SetPOSTFile(local.filePath());
    http.SetContentType(QStringLiteral("image/pjpeg"));
    QString header;
    QString reply;
    if (!http.PostFileBase64(QString(SyncProtocol::kPageUpdateFile), &header, &reply))
        reply = QString(SyncProtocol::kServerUnreachable);
    m_upload.Update(IExchangeProgress::UPDUI_RECORD_POS, 0);
    if (reply == SyncProtocol::kOk)
        return true;
    m_upload.Report(QStringLiteral("ERRORE:\n\n") + reply, IExchangeProgress::Exclamation, title);
    return false;
}

bool CSiteUploadFiles::ProductAttachments()
{
    auto http = m_upload.NewClient(m_upload.m_progress);
    m_upload.Update(IExchangeProgress::UPDUI_TABLE_TEXT, 0, QStringLiteral("Aggiornamento files prodotti in corso..."));
    const auto stem = [](const QString& name) {
        const int dot = name.lastIndexOf(QLatin1Char('.'));
        return dot < 0 ? name : name.left(dot);
    };
    const auto removeOnShop = [&](const QString& shopName) {
        m_upload.AddAccount(*http);
        http->AddToPOSTFields(QString(SyncProtocol::kPath), kAttachmentsPath, 0);
        http->AddToPOSTFields(QString(SyncProtocol::kFileName), shopName, 0);
        if (m_upload.PostExpectingOk(*http, QString(SyncProtocol::kPageDeleteProductFiles), kDataTitle))
            return true;
        FlagAnnullaUpd = 1;
        return false;
    };
    for (const QString& name : Attachments(QStringLiteral("d*"))) {
        Progress(false);
        if (!removeOnShop(stem(name)))
            return false;
        QFile::remove(Local(kAttachments + QLatin1Char('/') + name));
    }
    if (m_upload.Cancelled())
        return false;
    for (const QString& name : Attachments(QStringLiteral("m*.*"))) {
        Progress(false);
        const QString rest = name.mid(1);
        if (!removeOnShop(QLatin1Char('d') + stem(rest)))
            return false;
        const QString local = Local(kAttachments + QLatin1Char('/') + name);
        if (QFileInfo(local).size() > 0
            && !SendFile(*http, {kAttachmentsPath, QLatin1Char('p') + rest, kAttachments + "/" + name}, false, kFilesTitle)) {
            FlagAnnullaUpd = 1;
            return false;
        }
        const QString published = Local(kAttachments + QStringLiteral("/p") + rest);
        QFile::remove(published);
        QFile::rename(local, published);
    }
    return FlagAnnullaUpd.load() == 0;
}
