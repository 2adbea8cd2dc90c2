#include "server/members/MembriCampi.h"

#include <stdexcept>

const QList<MembroCampo>& MembriCampi::Campi()
{
    static const QList<MembroCampo> campi = {
        {"RagioneSociale", 50, "ERRRAGIONESOCIALE", "PMTRAGIONESOCIALE"},
        {"Cognome", 50, "ERRCOGNOME", "PMTCOGNOME"},
        {"Nome", 50, "ERRNOME", "PMTNOME"},
        {"Indirizzo", 80, "ERRINDIRIZZO", "PMTINDIRIZZO"},
        {"Cap", 20, "ERRCAP", "PMTCAP"},
        {"Localita", 80, "ERRLOCALITA", "PMTLOCALITA"},
        {"Provincia", 20, "ERRPROVINCIA", "PMTPROVINCIA"},
        {"Stato", 30, "ERRSTATO", "PMTSTATO"},
        {"Telefono", 20, "ERRTELEFONO", "PMTTELEFONO"},
        {"Fax", 20, "ERRFAX", "PMTFAX"},
        {"Cellulare", 20, "ERRCELLULARE", "PMTCELLULARE"},
        {"Email", 80, "ERREMAIL", "PMTEMAIL"},
        {"Web", 80, "ERRWEB", "PMTWEB"},
        {"CFPI", 16, "ERRCFPI", "PMTCODICEFISCALE"},
    };
    return campi;
}

const MembroCampo& MembriCampi::Campo(const QString& nome)
{
    for (const MembroCampo& campo : Campi())
        if (nome == QLatin1String(campo.nome))
            return campo;
    throw std::invalid_argument(("Campo sconosciuto: " + nome).toStdString());
}

const QList<MembroCampo>& MembriCampi::Riepilogo()
{
    static const QList<MembroCampo> ordine = [] {
        QList<MembroCampo> campi;
        for (const char* nome : {"RagioneSociale", "Cognome", "Nome", "Indirizzo", "Cap", "Localita", "Provincia",
                                 "Stato", "CFPI", "Telefono", "Fax", "Cellulare", "Email", "Web"})
            campi << Campo(QLatin1String(nome));
        return campi;
    }();
    return ordine;
}

QString MembriCampi::ChiaveSessione(const MembroCampo& campo)
{
    return QLatin1String(campo.nome) + QStringLiteral("UR");
}

QString MembriCampi::Limitato(const MembroCampo& campo, const QString& valore)
{
    return valore.left(campo.lunghezza + 1);
}
