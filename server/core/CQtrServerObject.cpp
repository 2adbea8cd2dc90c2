#include "server/core/CQtrServerObject.h"

#include "platform/ado/CAdoConnection.h"
#include "platform/ado/CAdoException.h"
#include "platform/asp/IAspRequest.h"
#include "platform/asp/IAspServer.h"
#include "platform/asp/IAspScriptingContext.h"
#include "platform/asp/IAspSession.h"
#include "server/core/Funzioni.h"
#include "server/core/SchemaNegozio.h"
#include "server/core/QtrValori.h"

#include <stdexcept>

CQtrServerObject::CQtrServerObject(QObject* parent) : CAspComponent(parent) {}

CQtrServerObject::~CQtrServerObject() = default;

// Not guarded: the host creates objects for a script through its own
// guarded entry (Server.CreateObject), and a C++ caller of CreateAndStart
// must get the failure rather than an object that never started.
void CQtrServerObject::OnStartPage(IAspScriptingContext* context)
{
    if (!context)
        throw std::invalid_argument("OnStartPage senza contesto della pagina");
    m_context = context;
    Start();
    m_started = true;
}

void CQtrServerObject::OnEndPage() { Free(); }

void CQtrServerObject::Free()
{
    Guard([&] {
        if (!m_started)
            return;
        m_started = false;
        ReleaseRecordsets();
        ReleaseConnection();
        m_context = nullptr;
    });
}

// The database is the one of the shop that serves the page, as the host
// maps its "/db": never a folder named by the Session, which a page can
// write, so a page of one shop cannot open another shop's database.
void CQtrServerObject::Start()
{
    if (!SessionFlag(QStringLiteral("ShareConn")))
        OpenOwnConnection(ShopDatabaseFolder());
}

QString CQtrServerObject::ShopDatabaseFolder() const
{
    const QString folder = Server()->MapPath(QStringLiteral("/db"));
    if (folder.isEmpty())
        throw CAdoException(QStringLiteral("Cartella del database del negozio non disponibile"));
    return folder;
}

// Decided by the Session at this moment, not by who opened the connection:
// while the page shares one, an own connection stays open until the object
// goes.
void CQtrServerObject::ReleaseConnection()
{
    if (!SessionFlag(QStringLiteral("ShareConn")))
        CloseOwnConnection();
}

void CQtrServerObject::OpenOwnConnection(const QString& folder)
{
    CloseOwnConnection();
    auto* connection = new CAdoConnection(this);
    try {
        connection->Open(Funzioni::StringaConnessione(folder));
        SchemaNegozio::AggiungiColonneMancanti(*connection);
    } catch (...) {
        delete connection;
        throw;
    }
    m_ownConnection = connection;
    m_connection = connection;
}

void CQtrServerObject::UseConnection(QObject* connect)
{
    auto* connection = qobject_cast<CAdoConnection*>(connect);
    if (!connection)
        throw std::invalid_argument("SetConn: l'argomento non è una connessione al database");
    m_connection = connection;
}

void CQtrServerObject::CloseOwnConnection()
{
    if (!m_ownConnection)
        return;
    if (m_connection == m_ownConnection)
        m_connection.clear();
    delete m_ownConnection;   // closes it
    m_ownConnection = nullptr;
}

void CQtrServerObject::CloseEveryConnection()
{
    if (m_connection && m_connection != m_ownConnection)
        m_connection->Close();
    m_connection.clear();
    CloseOwnConnection();
}

CAdoConnection* CQtrServerObject::Connection() const
{
    if (!m_connection || !m_connection->IsOpen())
        throw CAdoException(QStringLiteral("Nessuna connessione al database: con la connessione condivisa "
                                           "la pagina deve chiamare SetConn."));
    return m_connection;
}

namespace {

template <class T>
T* Required(T* object, const char* what)
{
    if (!object)
        throw std::runtime_error(std::string("Oggetto della pagina non disponibile: ") + what);
    return object;
}

} // namespace

IAspRequest* CQtrServerObject::Request() const
{
    return Required(m_context ? m_context->Request() : nullptr, "Request");
}

IAspResponse* CQtrServerObject::Response() const
{
    return Required(m_context ? m_context->Response() : nullptr, "Response");
}

IAspServer* CQtrServerObject::Server() const
{
    return Required(m_context ? m_context->Server() : nullptr, "Server");
}

IAspSession* CQtrServerObject::Session() const
{
    return Required(m_context ? m_context->Session() : nullptr, "Session");
}

QVariant CQtrServerObject::SessionValue(const QString& key) const { return Session()->Value(key); }

QString CQtrServerObject::SessionText(const QString& key) const { return SessionValue(key).toString(); }

bool CQtrServerObject::SessionFlag(const QString& key) const
{
    return QtrValori::Vero(SessionValue(key));
}

void CQtrServerObject::SetSession(const QString& key, const QVariant& value) const
{
    Session()->SetValue(key, value);
}

void CQtrServerObject::SetSessionPagina(const QString& key, const QVariant& value) const
{
    Session()->SetPageValue(key, value);
}

QString CQtrServerObject::RequestValue(const QString& key) const
{
    if (Request()->ServerVariable(QStringLiteral("REQUEST_METHOD")).compare(QLatin1String("GET"), Qt::CaseInsensitive)
        == 0)
        return Request()->QueryString(key);
    return Request()->Form(key);
}
