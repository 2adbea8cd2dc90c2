#pragma once

#include <QDate>
#include <QString>

// The 22 fields a line of a product file may carry, in the order the
// field list first shows them.
enum class ImportField
{
    IDCategoria,
    Codice,
    Nome,
    DescrizioneBreve,
    Prezzo1,
    AliquotaIVA,
    CodiceABarre,
    DescrizioneFattura,
    DescrizioneEstesa,
    FlagAttivo,
    FlagNovita,
    Prezzo2,
    Prezzo3,
    Prezzo4,
    Peso,
    UnitaMisura,
    Disponibilita,
    FlagOfferta,
    DataInizioOfferta,
    DataFineOfferta,
    ScontoOfferta,
    PrezzoPromozionale,
};

constexpr int kImportFieldCount = 22;

// One line of the file as it will be written: every field the line does
// not carry keeps its default here, and the defaults are written too.
// Numbers are kept as read, in double precision.
struct ImportDatiRecord
{
    qint32 nCategoria = 0;
    QString strCodice;
    QString strNome;
    QString strDescrizioneBreve;
    QString strDescrizioneFattura;
    QString strDescrizioneEstesa;
    QString strCodiceABarre;
    QString strUM;
    double dPrezzo[4] = {0, 0, 0, 0};
    double dIVA = 0;
    double dPeso = 0;
    double dDisponibilita = 0;
    double dSconto = 0;
    double dPrezzoPromozione = 0;
    bool bAttivo = true;
    bool bNovita = false;
    bool bOfferta = false;
    QDate dataDal;   // null: no date
    QDate dataAl;
};
