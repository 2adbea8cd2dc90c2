#pragma once

#include <QByteArray>
#include <QString>

// The shop's files as the desktop keeps them in step: pieces of uploaded
// files, deletions, folder clean-ups, and the files that belong to a row.
// Every path comes from the request, so each is checked first: folders are
// relative ("\" or "/" between their parts), with no "..", no empty part
// and no drive, file names hold no separator, and what they name must lie
// inside the shop's folder once links are followed. A refused path changes
// nothing and throws std::invalid_argument with the reason.
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
        qint64 totale = -1;   // size of the whole file; -1: unknown
        QByteArray byte;
    };
    // Writes one piece. With the whole file's size known, the pieces
    // gather under a hidden name and the file appears, replacing its older
    // versions, only when its last piece arrived.
    void ScriviPezzo(const Pezzo& pezzo) const;

    void EliminaFile(const QString& percorso, const QString& maschera) const;
    void EliminaFilesProdotti(const QString& percorso, const QString& nome) const;
    void SvuotaHome(const QString& percorso) const;
    void SvuotaCartellaImmagini(const QString& percorso) const;

    // The pictures and attachments of a deleted row (table named exactly).
    void EliminaFileRecord(const QString& tabella, qint32 id) const;

private:
    void CreaCartelle(const QString& cartella) const;
    void ControllaDentro(const QString& percorso) const;
    static void EliminaVarianti(const QString& cartella, const QString& nome);
    static void EliminaCorrispondenti(const QString& cartella, const QString& maschera);
    static void SvuotaCartella(const QString& cartella);
    static void Rimuovi(const QString& file);

    QString m_radice;
};
