#pragma once

#include "platform/ado/CAdoRecordset.h"

#include <QString>

#include <functional>

class CAdoConnection;

// An article's form as the page draws it: its texts, then field by field
// (a drop-down field option by option), and the plain-text mail a posted
// form becomes. Consecutive exclusive options ("Opzione esclusiva") form
// one radio group, posted under the name of the group's first field.
class ContenutiModulo
{
public:
    enum Tipo { Alfanumerico = 0, Intero = 1, Decimale = 2, Data = 5, Etichetta = 10, Opzione = 11,
                OpzioneEsclusiva = 12, MenuADiscesa = 13 };

    // What the page shows of the current field and option.
    struct Campo
    {
        QString codice;   // the posted name: "FLD" and the field's ID (the group's first for a radio)
        qint16 tipo = 0;
        qint16 lunghezza = 0;
        qint16 decimali = 0;
        QString nome;
        qint32 idOpzione = 0;   // a radio's own ID, a drop-down's current option
        QString opzione;
    };

    void ImpostaLingua(const QString& lingua, const QString& predefinita);

    // Reads the form's texts and its first field; false when it has no
    // field (the field then keeps what it held).
    bool Apri(CAdoConnection* connessione, qint32 idModulo, QString& nome, QString& descrizione);
    bool CampoSuccessivo();
    bool OpzioneSuccessiva();
    const Campo& Corrente() const { return m_campo; }

    // The mail of a posted form, every text in the shop's default
    // language: the form's name and description, then one line per field
    // with the posted value (a radio group's chosen field, a drop-down's
    // chosen option, each looked up within this form only). False when
    // the form does not exist.
    struct Posta
    {
        QString oggetto;
        QString destinatario;
        QString corpo;
    };
    static bool ComponiPosta(CAdoConnection* connessione, qint32 idModulo, const QString& predefinita,
                             const std::function<QString(const QString&)>& valorePostato, Posta& posta);

    // What the mail of a signed-in member starts with: the moment, then
    // his company and names, each after its caption; rispondiA is his
    // address when it is one a mail can answer to.
    static QString DatiMembro(CAdoConnection* connessione, qint32 cliente,
                              const std::function<QString(const QString&)>& testo, QString& rispondiA);

private:
    void LeggiCampo();
    void LeggiOpzione();

    CAdoConnection* m_connessione = nullptr;
    QString m_lingua;
    QString m_predefinita;
    CAdoRecordset m_rsCampi;
    CAdoRecordset m_rsOpzioni;
    qint32 m_gruppo = 0;
    Campo m_campo;
};
