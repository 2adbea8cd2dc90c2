#include "server/content/ContenutiDizionario.h"

#include "platform/ado/CAdoConnection.h"
#include "platform/asp/IAspServer.h"
#include "server/core/Dizionario.h"

#include <stdexcept>

ContenutiDizionario::ContenutiDizionario(IAspServer* server, bool condivisa, CAdoConnection* connessione)
    : m_dizionario(qobject_cast<Dizionario*>(server->CreateObject(QStringLiteral("QTR50.Dizionario"))))
{
    if (!m_dizionario)
        throw std::runtime_error("Impossibile creare QTR50.Dizionario");
    if (condivisa)
        m_dizionario->SetConn(connessione);
}

ContenutiDizionario::~ContenutiDizionario()
{
    if (m_dizionario)
        m_dizionario->Free();
}

QString ContenutiDizionario::operator()(const QString& codice) const { return m_dizionario->Traduci(codice); }
