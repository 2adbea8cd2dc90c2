#pragma once

#include <QList>
#include <QString>

// One of a member's 14 address fields: its name (the property, the
// Clienti column, the request field, and with "UR" the Session key of an
// anonymous visitor's typed value), its longest length, the message code
// of its check and the label code of the mails.
struct MembroCampo
{
    const char* nome;
    int lunghezza;
    const char* codice;
    const char* etichetta;
};

class MembriCampi
{
public:
    MembriCampi() = delete;

    // In the order of the properties (RagioneSociale ... CFPI).
    static const QList<MembroCampo>& Campi();
    static const MembroCampo& Campo(const QString& nome);
    // The order of the data summary in the registration's mails.
    static const QList<MembroCampo>& Riepilogo();

    static QString ChiaveSessione(const MembroCampo& campo);
    // What the Session keeps of a typed value: enough to tell that it is
    // too long, never more.
    static QString Limitato(const MembroCampo& campo, const QString& valore);
};
