#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// What the customers view's controls hold: the widget pulls it from its
// fields before each call on the core and pushes it back after. Texts are
// as typed; the core reads numbers and dates with the fields' rules.
struct UtenteForm
{
    QString strRagioneSociale;
    QString strCognome;
    QString strNome;
    QString strUserID;
    // A new password, typed or generated; empty keeps the stored one. The
    // stored one is a hash and never comes back into the form.
    QString strPassword;
    int nTipo = -1;            // position in "Tipo utente"; -1 none
    QStringList generale;      // the eleven texts, in CUtentiViewCore::GeneraleColumns order
    int nListino = -1;         // position in "Listino"; -1 none
    qint32 nLingua = 0;        // item data of "Lingua": 0 "Non selezionata", else Lingue.ID
    QString strValiditaDal;
    QString strValiditaAl;
    QString strScontoPredefinito;
    QString strScontoPeriodo;
    QString strPagamento;
    QString strFido;
    QString strFidoResiduo;
    qint32 nGruppo = 0;        // item data of the Relazioni lists; -1 no selection
    qint32 nAgente = 0;
    qint32 nCliente = 0;
};
