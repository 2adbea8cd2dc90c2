#include "tests/road/RoadProject.h"

#include "recordset/CCategorieGenSet.h"
#include "recordset/CCategorieLinSet.h"
#include "recordset/CConfigurazioneSet.h"
#include "recordset/CProdottiColoriSet.h"
#include "recordset/CProdottiGeneraleSet.h"
#include "recordset/CProdottiLingueSet.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSqlQuery>

#include <stdexcept>

RoadProject::RoadProject()
{
    QDir().mkpath(m_folder.FilePath("db"));
    QDir().mkpath(m_folder.FilePath("website/images/prodotti/th"));
    const QString database = m_folder.FilePath("db/database.mdb");
    if (!QFile::copy(QStringLiteral(QTR_REFDB_DIR "/database.mdb"), database))
        throw std::runtime_error("reference database missing");
    QFile(database).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    Open();
}

RoadProject::RoadProject(const std::function<void(const QString& folder)>& make)
{
    make(m_folder.Path());
    Open();
}

void RoadProject::Open()
{
    m_db.Open(m_folder.FilePath("db/database.mdb"));
    QtrSetHost(this);
    // A new project sends all it has; the road starts from a published one.
    m_db.Execute("UPDATE Lingue SET Modificato=0");
    m_db.Execute("UPDATE Valute SET Modificato=0");
    m_db.Execute("UPDATE Dizionario SET Modificato=0");
    m_db.Execute("UPDATE DizionarioLingue SET Modificato=0");
}

RoadProject::~RoadProject()
{
    QtrSetHost(nullptr);
    m_db.Close();
}

void RoadProject::EditSettings(const std::function<void(CConfigurazioneSet&)>& edit)
{
    CConfigurazioneSet configurazione(&m_db);
    configurazione.Open();
    configurazione.Edit();
    edit(configurazione);
    configurazione.Update();
}

void RoadProject::PointAt(quint16 port, const QString& password)
{
    EditSettings([&](CConfigurazioneSet& configurazione) {
        configurazione.m_URLSito = QStringLiteral("127.0.0.1");
        configurazione.m_PortaHttp = port;
        configurazione.m_CodiceUtente = QStringLiteral("negozio");
        configurazione.m_Password = password;
    });
    m_db.Execute("UPDATE Configurazione SET Modificato=0");
}

qint32 RoadProject::AddProduct(qint32 id, const QString& name, double price)
{
    CProdottiGeneraleSet prodotto(&m_db);
    prodotto.Open();
    prodotto.AddNew();
    prodotto.m_ID = id;
    prodotto.m_Codice = QStringLiteral("P%1").arg(id);
    prodotto.m_Attivo = true;
    prodotto.m_IVA = 22;
    prodotto.m_ModificataFoto = true;
    prodotto.Update();

    CProdottiLingueSet lingua(&m_db);
    lingua.Open();
    lingua.AddNew();
    lingua.m_ID = id * 10;
    lingua.m_IDProdotto = id;
    lingua.m_CodiceLingua = QStringLiteral("it");
    lingua.m_Nome = name;
    lingua.m_Prezzo = price;
    lingua.Update();

    CProdottiColoriSet colore(&m_db);
    colore.Open();
    colore.AddNew();
    colore.m_ID = id * 10 + 1;
    colore.m_IDProdotto = id;
    colore.m_Codice = QStringLiteral("ROSSO");
    colore.m_Descrizione = QStringLiteral("Rosso");
    colore.m_Attivo = true;
    colore.Update();

    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.save(m_folder.FilePath(QStringLiteral("website/images/prodotti/%1.jpg").arg(id)), "JPG");
    picture.scaled(20, 15).save(m_folder.FilePath(QStringLiteral("website/images/prodotti/th/%1.jpg").arg(id)), "JPG");
    return id;
}

void RoadProject::DeleteProduct(qint32 id)
{
    CProdottiGeneraleSet prodotto(&m_db);
    prodotto.m_strFilter = QStringLiteral("ID=?");
    prodotto.m_filterParams = {id};
    prodotto.Open();
    prodotto.Delete();
}

void RoadProject::AddCategory(qint32 id, const QString& name)
{
    CCategorieGenSet categoria(&m_db);
    categoria.Open();
    categoria.AddNew();
    categoria.m_ID = id;
    categoria.m_IDCategoriaPadre = 0;
    categoria.m_Ordine = id;
    categoria.Update();

    CCategorieLinSet lingua(&m_db);
    lingua.Open();
    lingua.AddNew();
    lingua.m_ID = id * 10;
    lingua.m_IDCategoria = id;
    lingua.m_CodiceLingua = QStringLiteral("it");
    lingua.m_Nome = name;
    lingua.Update();
}

int RoadProject::Flagged(const QString& table)
{
    QSqlQuery query(m_db.Connection());
    query.exec(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE Modificato=1").arg(table));
    return query.next() ? query.value(0).toInt() : -1;
}

void RoadProject::WriteExportScript(const QString& column)
{
    QDir().mkpath(Folder() + "/scambio");
    QDir().mkpath(Folder() + "/scripts");
    m_folder.WriteFile("path.ini", (Folder() + "/scambio\n").toUtf8());
    m_folder.WriteFile("scripts/export.js", QStringLiteral("function EsportaOrdine(id) {\n"
                                                          "  QTR.ScriviFileExport('esportati.txt', id + ';' +\n"
                                                          "      QTR.ValoreCampoTabella('Ordini', '%1', 'ID=?', [id]));\n"
                                                          "  return true;\n"
                                                          "}\n")
                                                .arg(column)
                                                .toUtf8());
}

CSiteUpload::Result RoadProject::Upload(qint64 pieceSize)
{
    CSiteUpload upload;
    upload.InitVar(nullptr, Folder(), &m_db);
    if (pieceSize > 0)
        upload.SetPieceSize(pieceSize);
    if (upload.Init() == 0)
        return CSiteUpload::Result::NotRun;
    upload.Start();
    upload.ChiudiDatabase();
    return upload.LastResult();
}

QString RoadProject::UploadLog() const
{
    QFile log(Folder() + "/qtrupd.log");
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

QString RoadProject::Picked(const QString& name, const QByteArray& bytes, const char* imageFormat) const
{
    const QString path = m_outside.FilePath(name);
    if (bytes.isEmpty()) {
        QImage picture(240, 160, QImage::Format_RGB32);
        picture.fill(qRgb(120, 60, 20));
        picture.save(path, imageFormat);
    } else {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    return path;
}
