#include "server/sync/AggiornamentoFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <stdexcept>

namespace {

// Folders a clean-up keeps: the catalogue's pictures, kept in step with
// the database row by row.
const QStringList kCartelleCatalogo{"articoli", "banner", "categorie", "prodotti", "sezioni"};

[[noreturn]] void Rifiuta(const QString& motivo) { throw std::invalid_argument(motivo.toStdString()); }

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
    if (nome.isEmpty() || nome == QLatin1String(".") || nome == QLatin1String("..")
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

void AggiornamentoFile::ScriviPezzo(const Pezzo& pezzo) const
{
    ControllaNome(pezzo.nome);
    const QString cartella = Cartella(pezzo.percorso);
    CreaCartelle(cartella);
    const QString finale = cartella + QLatin1Char('/') + pezzo.nome;
    const bool raccolto = pezzo.totale >= 0;
    const QString destinazione = raccolto ? cartella + QStringLiteral("/.") + pezzo.nome + QStringLiteral(".part")
                                          : finale;
    if (pezzo.primo && !raccolto)
        EliminaVarianti(cartella, pezzo.nome);
    QFile file(destinazione);
    const QIODevice::OpenMode modo = pezzo.primo ? QIODevice::WriteOnly | QIODevice::Truncate
                                                 : QIODevice::WriteOnly | QIODevice::Append;
    if (!file.open(modo) || file.write(pezzo.byte) != pezzo.byte.size() || !file.flush())
        throw std::runtime_error(QStringLiteral("Impossibile scrivere %1: %2").arg(finale, file.errorString()).toStdString());
    const qint64 scritti = file.size();
    file.close();
    if (!raccolto || scritti < pezzo.totale)
        return;
    if (scritti > pezzo.totale) {
        Rimuovi(destinazione);
        throw std::runtime_error(QStringLiteral("Errore di trasmissione.").toStdString());
    }
    EliminaVarianti(cartella, pezzo.nome);
    if (!QFile::rename(destinazione, finale))
        throw std::runtime_error(QStringLiteral("Impossibile completare %1").arg(finale).toStdString());
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
    EliminaCorrispondenti(Cartella(percorso), maschera);
}

void AggiornamentoFile::EliminaCorrispondenti(const QString& cartella, const QString& maschera)
{
    for (const QFileInfo& voce : QDir(cartella).entryInfoList({maschera}, QDir::Files))
        Rimuovi(voce.filePath());
}

void AggiornamentoFile::EliminaFilesProdotti(const QString& percorso, const QString& nome) const
{
    ControllaNome(nome);
    const QString cartella = Cartella(percorso);
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
    const QString cartella = Cartella(percorso);
    for (const QFileInfo& voce : QDir(cartella).entryInfoList(QDir::Files))
        Rimuovi(voce.filePath());
}

void AggiornamentoFile::SvuotaCartellaImmagini(const QString& percorso) const
{
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
    const QString nome = QString::number(id) + QStringLiteral(".*");
    const auto elimina = [&](const QString& percorso) {
        const QString cartella = m_radice + QLatin1Char('/') + percorso;
        if (QFileInfo(cartella).isDir())
            EliminaCorrispondenti(cartella, nome);
    };
    const auto eliminaPerLingua = [&](const QString& percorso) {
        const QString cartella = m_radice + QLatin1Char('/') + percorso;
        for (const QFileInfo& lingua : QDir(cartella).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
            EliminaCorrispondenti(lingua.filePath(), nome);
    };
    if (tabella == QLatin1String("Prodotti")) {
        elimina(QStringLiteral("images/prodotti"));
        elimina(QStringLiteral("images/prodotti/th"));
        // Attachments: a state letter, the ID, "_" and the attachment's name.
        const QRegularExpression allegato(QStringLiteral("^.%1_").arg(id));
        const QString cartella = m_radice + QStringLiteral("/images/prodotti/files");
        for (const QFileInfo& voce : QDir(cartella).entryInfoList(QDir::Files)) {
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
