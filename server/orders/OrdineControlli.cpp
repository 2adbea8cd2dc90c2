#include "server/orders/OrdineControlli.h"

#include "platform/mail/CSmtpMessage.h"

const QList<OrdineCampo>& OrdineControlli::Campi()
{
    static const QList<OrdineCampo> campi = {
        {"TipoPagamento", "TipoPagamento", "TipoPagamento", "", true, 0, "ERRTIPOPAGAMENTO", false},
        {"Email", "EmailUtente", "Email", "Email", true, 80, "ERREMAIL", false},
        {"CFPI", "CFPIUtente", "CFPI", "CFPI", false, 16, "ERRCFPI", false},
        {"Telefono", "TelefonoUtente", "Telefono", "Telefono", false, 20, "ERRTELEFONO", false},
        {"Stato", "StatoUtente", "Stato", "Stato", true, 30, "ERRSTATO", false},
        {"Provincia", "ProvinciaUtente", "Provincia", "Provincia", true, 20, "ERRPROVINCIA", false},
        {"Localita", "LocalitaUtente", "Localita", "Localita", true, 80, "ERRLOCALITA", false},
        {"Cap", "CapUtente", "Cap", "Cap", true, 20, "ERRCAP", false},
        {"Indirizzo", "IndirizzoUtente", "Indirizzo", "Indirizzo", true, 80, "ERRINDIRIZZO", false},
        {"Nome", "NomeUtente", "Nome", "Nome", false, 50, "ERRNOME", false},
        {"Cognome", "CognomeUtente", "Cognome", "Cognome", true, 50, "ERRCOGNOME", false},
        {"RagioneSociale", "RagioneSocialeUtente", "RagioneSociale", "RagioneSociale", false, 50, "ERRRAGIONESOCIALE",
         false},
        {"", "D_Telefono", "", "", false, 20, "ERRDTELEFONO", true},
        {"D_Stato", "D_Stato", "D_Stato", "", true, 30, "ERRDSTATO", true},
        {"D_Provincia", "D_Provincia", "D_Provincia", "", true, 20, "ERRDPROVINCIA", true},
        {"D_Localita", "D_Localita", "D_Localita", "", true, 80, "ERRDLOCALITA", true},
        {"D_Cap", "D_Cap", "D_Cap", "", true, 20, "ERRDCAP", true},
        {"D_Indirizzo", "D_Indirizzo", "D_Indirizzo", "", true, 80, "ERRDINDIRIZZO", true},
        {"D_Cognome", "D_Cognome", "D_Cognome", "", true, 50, "ERRDCOGNOME", true},
        {"D_Nome", "D_Nome", "D_Nome", "", false, 50, "ERRDNOME", true},
        {"D_RagioneSociale", "D_RagioneSociale", "D_RagioneSociale", "", false, 50, "ERRDRAGIONESOCIALE", true},
        {"Note", "NoteUtente", "Note", "", false, kLunghezzaNote, "", false},
    };
    return campi;
}

QString OrdineControlli::Limitato(const OrdineCampo& campo, const QString& valore)
{
    const int massimo = campo.lunghezza > 0 ? campo.lunghezza : kLunghezzaNote;
    return valore.left(massimo + 1);
}

QString OrdineControlli::UltimoErrore(const QHash<QString, QString>& valori,
                                      const std::function<bool(const QString&)>& ammesso)
{
    QString destinatario;
    for (const char* chiave : {"D_RagioneSociale", "D_Nome", "D_Cognome", "D_Indirizzo", "D_Cap", "D_Localita",
                               "D_Provincia", "D_Stato"})
        destinatario += valori.value(QLatin1String(chiave));
    QString errore;
    for (const OrdineCampo& c : Campi()) {
        if (!*c.codice || (c.destinatario && destinatario.isEmpty()))
            continue;
        const QString valore = valori.value(QLatin1String(c.chiave));
        const QLatin1String codice(c.codice);
        const bool rifiutato = (codice == QLatin1String("ERRTIPOPAGAMENTO") && !ammesso(valore))
            || (codice == QLatin1String("ERREMAIL") && !CSmtpMessage::CheckMailbox(valore).isEmpty());
        if ((c.obbligatorio && valore.isEmpty()) || (c.lunghezza > 0 && valore.size() > c.lunghezza) || rifiutato)
            errore = codice;
    }
    return errore;
}

bool OrdineControlli::CheckCFPI(const QString& cfpi)
{
    if (cfpi.size() == 11)
        return ControlloPartitaIVA(cfpi);
    if (cfpi.size() == 16)
        return ControlloCodiceFiscale(cfpi);
    return false;
}

// A value that is not eleven digits is no VAT number.
bool OrdineControlli::ControlloPartitaIVA(const QString& pi)
{
    if (pi.size() != 11)
        return false;
    for (const QChar c : pi)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    int somma = 0;
    for (int i = 0; i < 10; ++i) {
        int cifra = pi.at(i).digitValue();
        if (i % 2 == 1) {
            cifra *= 2;
            if (cifra > 9)
                cifra -= 9;
        }
        somma += cifra;
    }
    return pi.at(10).digitValue() == (10 - somma % 10) % 10;
}

QChar OrdineControlli::CarattereControlloCF(const QString& cf)
{
    // Odd places: the values of 0-9, then of A-Z.
    static const int dispari[36] = {1,  0,  5,  7,  9,  13, 15, 17, 19, 21, 1,  0,  5,  7,  9,  13, 15, 17,
                                    19, 21, 2,  4,  18, 20, 11, 3,  6,  8,  12, 14, 16, 10, 22, 25, 24, 23};
    if (cf.size() < 15)
        return QChar();
    int somma = 0;
    for (int i = 0; i < 15; ++i) {
        const QChar c = cf.at(i);
        int indice = -1;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            indice = c.unicode() - '0';
        else if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            indice = 10 + c.unicode() - 'A';
        if (indice < 0)
            return QChar();
        // Places are counted from 1: the first character is in an odd place.
        somma += i % 2 == 0 ? dispari[indice] : (indice < 10 ? indice : indice - 10);
    }
    return QChar('A' + somma % 26);
}

bool OrdineControlli::ControlloCodiceFiscale(const QString& cf)
{
    if (cf.size() != 16)
        return false;
    const QChar controllo = CarattereControlloCF(cf);
    return !controllo.isNull() && cf.at(15) == controllo;
}
