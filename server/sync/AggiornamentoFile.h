#pragma once

#include <QByteArray>
#include <QString>

// The shop's files as the desktop keeps them in step: pieces of uploaded
// files, deletions, folder clean-ups, and the files that belong to a row.
// Every path comes from the request, so each is checked first: folders are
// relative ("\" or "/" between their parts), with no "..", no empty part
// and no drive, file names hold no separator, and what they name must lie
// inside the shop's folder once links are followed. The desktop reaches
// only the pages at the top of the shop's folder and the pictures and files
// under images/: never db/ (the database and the Session store), and page
// sources nowhere but at the top. A refused path changes nothing and
// throws std::invalid_argument with the reason.
class AggiornamentoFile
{
public:
    explicit AggiornamentoFile(const QString& radice);

    QString Cartella(const QString& percorso) const;
    static void ControllaNome(const QString& nome, bool maschera = false);

    struct Pezzo
    {
        QString percorso;
        QString nome;
        bool primo = false;
        qint64 totale = -1;     // size of the whole file; -1: unknown
        QByteArray byte;
        qint64 posizione = -1;  // where the piece goes in the file; -1: unknown
    };
    // Writes one piece. With the whole file's size known, the pieces
    // gather under a hidden name and the file appears, replacing its older
    // versions, only when its last piece arrived. A piece that does not
    // continue a transfer in progress, or overflows the file, throws
    // std::invalid_argument with "Errore di trasmissione."; a piece sent
    // again (its place given, its bytes already there) changes nothing.
    void ScriviPezzo(const Pezzo& pezzo) const;

    void EliminaFile(const QString& percorso, const QString& maschera) const;
    void EliminaFilesProdotti(const QString& percorso, const QString& nome) const;
    void SvuotaHome(const QString& percorso) const;
    void SvuotaCartellaImmagini(const QString& percorso) const;

    // The pictures and attachments of a deleted row (table named exactly).
    void EliminaFileRecord(const QString& tabella, qint32 id) const;

private:
    // A folder the desktop may write or clean: the top or below images/.
    QString CartellaSito(const QString& percorso) const;
    static bool Immagini(const QString& percorso);
    static void ControllaTipo(const QString& percorso, const QString& nome);
    static void ScriviRaccolto(const Pezzo& pezzo, const QString& cartella, const QString& finale);
    static bool GiaScritto(const QString& file, qint64 posizione, const QByteArray& byte);
    void CreaCartelle(const QString& cartella) const;
    void ControllaDentro(const QString& percorso) const;
    static void EliminaVarianti(const QString& cartella, const QString& nome);
    static void EliminaCorrispondenti(const QString& cartella, const QString& maschera, bool nascosti = false);
    static void SvuotaCartella(const QString& cartella);
    static void Rimuovi(const QString& file);

    QString m_radice;
};
