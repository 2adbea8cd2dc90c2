#include "server/sync/AggiornamentoFile.h"

#include "recordset/sync/SyncProtocol.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <stdexcept>

namespace {

// Folders a clean-up keeps: the catalogue's pictures, kept in step with
// the database row by row.
const QStringList kCartelleCatalogo{"articoli", "banner", "categorie", "prodotti", "sezioni"};

// What the host runs as pages or includes, and the database's files.
const QStringList kSorgentiPagine{"asp", "asa", "inc"};
const QStringList kFileDatabase{"mdb", "ldb", "sqlite", "sqlite3", "wal", "shm"};

[[noreturn]] void Rifiuta(const QString& motivo) { throw std::invalid_argument(motivo.toStdString()); }

[[noreturn]] void ErroreTrasmissione() { Rifiuta(QString(SyncProtocol::kTransmissionError)); }

QString Estensione(const QString& nome)
{
    const int punto = nome.lastIndexOf(QLatin1Char('.'));
    return punto < 0 ? QString() : nome.mid(punto + 1).toLower();
}

QString Canonico(QString percorso)
{
    // The deepest part that exists decides where links lead.
    QString resto;
    while (!percorso.isEmpty() && !QFileInfo::exists(percorso)) {
        const int barra = percorso.lastIndexOf(QLatin1Char('/'));
        if (barra <= 0)
            return QString();
        resto = percorso.mid(barra) + resto;
        percorso = percorso.left(barra);
    }
    const QString esistente = QFileInfo(percorso).canonicalFilePath();
    return esistente.isEmpty() ? QString() : esistente + resto;
}

} // namespace

AggiornamentoFile::AggiornamentoFile(const QString& radice) : m_radice(QDir::cleanPath(radice)) {}

QString AggiornamentoFile::Cartella(const QString& percorso) const
{
    QString relativo = percorso;
    relativo.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (relativo.startsWith(QLatin1Char('/')) || relativo.contains(QLatin1Char(':')))
        Rifiuta(QStringLiteral("Percorso non consentito: %1").arg(percorso));
    const QStringList parti = relativo.split(QLatin1Char('/'), Qt::KeepEmptyParts);
    for (const QString& parte : parti) {
        if (relativo.isEmpty())
            break;
        if (parte.isEmpty() || parte == QLatin1String(".") || parte == QLatin1String("..")
            || parte.contains(QChar(0)))
            Rifiuta(QStringLiteral("Percorso non consentito: %1").arg(percorso));
    }
    const QString cartella = relativo.isEmpty() ? m_radice : m_radice + QLatin1Char('/') + relativo;
    ControllaDentro(cartella);
    return cartella;
}

void AggiornamentoFile::ControllaNome(const QString& nome, bool maschera)
{
    static const QRegularExpression vietati(QStringLiteral("[/\\\\:\\x00-\\x1f]"));
    // A leading "." would name the hidden pieces of a transfer; a trailing
    // blank or "." would hide the name's real extension.
    if (nome.isEmpty() || nome.startsWith(QLatin1Char('.')) || nome.endsWith(QLatin1Char('.'))
        || nome.endsWith(QLatin1Char(' '))
        || nome.contains(vietati) || (!maschera && nome.contains(QRegularExpression(QStringLiteral("[*?]")))))
        Rifiuta(QStringLiteral("Nome di file non consentito: %1").arg(nome));
}

void AggiornamentoFile::ControllaDentro(const QString& percorso) const
{
    const QString radice = QFileInfo(m_radice).canonicalFilePath();
    const QString reale = Canonico(percorso);
    if (radice.isEmpty() || reale.isEmpty() || (reale != radice && !reale.startsWith(radice + QLatin1Char('/'))))
        Rifiuta(QStringLiteral("Percorso fuori dal sito: %1").arg(percorso));
}

void AggiornamentoFile::CreaCartelle(const QString& cartella) const
{
    if (!QDir().mkpath(cartella))
        throw std::runtime_error(QStringLiteral("Impossibile creare la cartella %1").arg(cartella).toStdString());
    ControllaDentro(cartella);
}

bool AggiornamentoFile::Immagini(const QString& percorso)
{
    QString relativo = percorso;
    relativo.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return relativo.section(QLatin1Char('/'), 0, 0).compare(QLatin1String("images"), Qt::CaseInsensitive) == 0;
}

QString AggiornamentoFile::CartellaSito(const QString& percorso) const
{
    if (!percorso.isEmpty() && !Immagini(percorso))
        Rifiuta(QStringLiteral("Percorso non consentito: %1").arg(percorso));
    return Cartella(percorso);
}

void AggiornamentoFile::ControllaTipo(const QString& percorso, const QString& nome)
{
    const QString estensione = Estensione(nome);
    if (kFileDatabase.contains(estensione) || (!percorso.isEmpty() && kSorgentiPagine.contains(estensione)))
        Rifiuta(QStringLiteral("File non consentito in %1: %2").arg(percorso, nome));
}

void AggiornamentoFile::ScriviPezzo(const Pezzo& pezzo) const
{
    ControllaNome(pezzo.nome);
    ControllaTipo(pezzo.percorso, pezzo.nome);
    const QString cartella = CartellaSito(pezzo.percorso);
    CreaCartelle(cartella);
    const QString finale = cartella + QLatin1Char('/') + pezzo.nome;
    if (pezzo.totale >= 0) {
        ScriviRaccolto(pezzo, cartella, finale);
        return;
    }
    if (pezzo.primo)
        EliminaVarianti(cartella, pezzo.nome);
    QFile file(finale);
    const QIODevice::OpenMode modo = pezzo.primo ? QIODevice::WriteOnly | QIODevice::Truncate
                                                 : QIODevice::WriteOnly | QIODevice::Append;
    if (!file.open(modo) || file.write(pezzo.byte) != pezzo.byte.size() || !file.flush())
        throw std::runtime_error(QStringLiteral("Impossibile scrivere %1: %2").arg(finale, file.errorString()).toStdString());
}

// The pieces gather in a hidden file that only a first piece starts; each
// further piece must continue it where it stands. A piece whose reply was
// lost comes again with the same place and bytes: it is answered as before
// and writes nothing, also when it was the last and the file is complete.
void AggiornamentoFile::ScriviRaccolto(const Pezzo& pezzo, const QString& cartella, const QString& finale)
{
    const QString parte = cartella + QStringLiteral("/.") + pezzo.nome + QStringLiteral(".part");
    const qint64 quanti = pezzo.byte.size();
    qint64 presenti = 0;
    if (pezzo.primo) {
        if (pezzo.posizione > 0)
            ErroreTrasmissione();
    } else if (!QFileInfo(parte).isFile()) {
        const bool ultimoRipetuto = pezzo.posizione >= 0 && pezzo.posizione + quanti == pezzo.totale
                                    && QFileInfo(finale).size() == pezzo.totale
                                    && GiaScritto(finale, pezzo.posizione, pezzo.byte);
        if (ultimoRipetuto)
            return;
        ErroreTrasmissione();
    } else {
        presenti = QFileInfo(parte).size();
        if (pezzo.posizione >= 0 && pezzo.posizione != presenti) {
            if (pezzo.posizione + quanti <= presenti && GiaScritto(parte, pezzo.posizione, pezzo.byte))
                return;
            ErroreTrasmissione();
        }
    }
    if (presenti + quanti > pezzo.totale) {
        Rimuovi(parte);
        ErroreTrasmissione();
    }
    QFile file(parte);
    const QIODevice::OpenMode modo = pezzo.primo ? QIODevice::WriteOnly | QIODevice::Truncate
                                                 : QIODevice::WriteOnly | QIODevice::Append;
    if (!file.open(modo) || file.write(pezzo.byte) != quanti || !file.flush())
        throw std::runtime_error(QStringLiteral("Impossibile scrivere %1: %2").arg(finale, file.errorString()).toStdString());
    file.close();
    if (presenti + quanti < pezzo.totale)
        return;
    EliminaVarianti(cartella, pezzo.nome);
    if (!QFile::rename(parte, finale))
        throw std::runtime_error(QStringLiteral("Impossibile completare %1").arg(finale).toStdString());
}

bool AggiornamentoFile::GiaScritto(const QString& file, qint64 posizione, const QByteArray& byte)
{
    QFile scritto(file);
    return scritto.open(QIODevice::ReadOnly) && scritto.seek(posizione) && scritto.read(byte.size()) == byte;
}

// A new first piece replaces every file of the same stem ("12." takes
// 12.jpg and 12.gif); a name without "." replaces only itself.
void AggiornamentoFile::EliminaVarianti(const QString& cartella, const QString& nome)
{
    const int punto = nome.lastIndexOf(QLatin1Char('.'));
    if (punto < 0) {
        if (QFileInfo(cartella + QLatin1Char('/') + nome).isFile())
            Rimuovi(cartella + QLatin1Char('/') + nome);
        return;
    }
    const QString inizio = nome.left(punto + 1);
    for (const QFileInfo& voce : QDir(cartella).entryInfoList(QDir::Files | QDir::Hidden)) {
        if (voce.fileName().startsWith(inizio))
            Rimuovi(voce.filePath());
    }
}

void AggiornamentoFile::EliminaFile(const QString& percorso, const QString& maschera) const
{
    ControllaNome(maschera, true);
    EliminaCorrispondenti(CartellaSito(percorso), maschera);
}

void AggiornamentoFile::EliminaCorrispondenti(const QString& cartella, const QString& maschera, bool nascosti)
{
    const QDir::Filters filtri = nascosti ? QDir::Files | QDir::Hidden : QDir::Files;
    for (const QFileInfo& voce : QDir(cartella).entryInfoList({maschera}, filtri))
        Rimuovi(voce.filePath());
}

void AggiornamentoFile::EliminaFilesProdotti(const QString& percorso, const QString& nome) const
{
    ControllaNome(nome);
    const QString cartella = CartellaSito(percorso);
    const QString chiave = nome.mid(1);
    for (const QFileInfo& voce : QDir(cartella).entryInfoList(QDir::Files)) {
        QString senzaStato = voce.fileName().mid(1);
        const int punto = senzaStato.lastIndexOf(QLatin1Char('.'));
        if (punto >= 0)
            senzaStato.truncate(punto);
        if (senzaStato == chiave)
            Rimuovi(voce.filePath());
    }
}

void AggiornamentoFile::SvuotaHome(const QString& percorso) const
{
    const QString cartella = CartellaSito(percorso);
    for (const QFileInfo& voce : QDir(cartella).entryInfoList(QDir::Files))
        Rimuovi(voce.filePath());
}

// Only the picture folders: at the top the clean-up would take the pages'
// folders and the database with them.
void AggiornamentoFile::SvuotaCartellaImmagini(const QString& percorso) const
{
    if (!Immagini(percorso))
        Rifiuta(QStringLiteral("Percorso non consentito: %1").arg(percorso));
    const QString cartella = Cartella(percorso);
    if (!QFileInfo(cartella).isDir())
        return;
    SvuotaCartella(cartella);
}

void AggiornamentoFile::SvuotaCartella(const QString& cartella)
{
    QDir dir(cartella);
    for (const QFileInfo& voce : dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
        if (!kCartelleCatalogo.contains(voce.fileName()))
            SvuotaCartella(voce.filePath());
    }
    for (const QFileInfo& voce : dir.entryInfoList(QDir::Files | QDir::System))
        Rimuovi(voce.filePath());
    if (dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System).isEmpty())
        dir.rmdir(cartella);
}

void AggiornamentoFile::EliminaFileRecord(const QString& tabella, qint32 id) const
{
    // The row's files and the hidden pieces of a transfer cut short.
    const QString nome = QString::number(id) + QStringLiteral(".*");
    const auto eliminaIn = [&](const QString& cartella) {
        EliminaCorrispondenti(cartella, nome);
        EliminaCorrispondenti(cartella, QLatin1Char('.') + nome + QStringLiteral(".part"), true);
    };
    const auto elimina = [&](const QString& percorso) {
        const QString cartella = m_radice + QLatin1Char('/') + percorso;
        if (QFileInfo(cartella).isDir())
            eliminaIn(cartella);
    };
    const auto eliminaPerLingua = [&](const QString& percorso) {
        const QString cartella = m_radice + QLatin1Char('/') + percorso;
        for (const QFileInfo& lingua : QDir(cartella).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
            eliminaIn(lingua.filePath());
    };
    if (tabella == QLatin1String("Prodotti")) {
        elimina(QStringLiteral("images/prodotti"));
        elimina(QStringLiteral("images/prodotti/th"));
        // Attachments: a state letter, the ID, "_" and the attachment's name.
        const QRegularExpression allegato(QStringLiteral("^\\.?.%1_").arg(id));
        const QString cartella = m_radice + QStringLiteral("/images/prodotti/files");
        for (const QFileInfo& voce : QDir(cartella).entryInfoList(QDir::Files | QDir::Hidden)) {
            if (allegato.match(voce.fileName()).hasMatch())
                Rimuovi(voce.filePath());
        }
    } else if (tabella == QLatin1String("ProdottiColori")) {
        elimina(QStringLiteral("images/prodotti/colori"));
        elimina(QStringLiteral("images/prodotti/colori/th"));
        elimina(QStringLiteral("images/prodotti/colori/dettagli"));
    } else if (tabella == QLatin1String("ArticoliFiles")) {
        elimina(QStringLiteral("images/articoli/files"));
    } else if (tabella == QLatin1String("Banner")) {
        elimina(QStringLiteral("images/banner"));
    } else if (tabella == QLatin1String("Categorie")) {
        eliminaPerLingua(QStringLiteral("images/categorie"));
    } else if (tabella == QLatin1String("Sezioni")) {
        eliminaPerLingua(QStringLiteral("images/sezioni"));
    }
}

void AggiornamentoFile::Rimuovi(const QString& file)
{
    if (!QFile::remove(file) && QFileInfo::exists(file))
        throw std::runtime_error(QStringLiteral("Impossibile eliminare %1").arg(file).toStdString());
}
