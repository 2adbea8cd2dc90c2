#include "server/members/RegistrazioneTesto.h"

#include "server/members/MembriCampi.h"

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}

QString RegistrazioneTesto::Riga(const char* etichetta, const QString& valore) const
{
    return m_traduci(QLatin1String(etichetta)) + QStringLiteral(": ") + valore + kCrLf;
}

QString RegistrazioneTesto::Riepilogo(const Dati& dati, bool conPassword) const
{
    QString testo;
    for (const MembroCampo& campo : MembriCampi::Riepilogo()) {
        const QString valore = dati.campi.value(QLatin1String(campo.nome));
        if (!valore.isEmpty())
            testo += Riga(campo.etichetta, valore);
    }
    if (!dati.userID.isEmpty()) {
        testo += Riga("PMTNOMEUTENTE", dati.userID);
        if (conPassword)
            testo += Riga("PMTPASSWORD", dati.password);
    }
    return testo + kCrLf + dati.note + kCrLf + kCrLf + dati.ulterioriNote + kCrLf;
}

QString RegistrazioneTesto::CorpoEsercente(const Dati& dati) const
{
    return QStringLiteral("I dati inseriti sono i seguenti:") + kCrLf + kCrLf + Riepilogo(dati, false);
}

QString RegistrazioneTesto::OggettoCliente() const { return m_traduci(QStringLiteral("MSGOGGETTOCONFREG")); }

QString RegistrazioneTesto::CorpoCliente(const Dati& dati, const QString& conferma) const
{
    return m_traduci(conferma) + kCrLf + kCrLf + Riepilogo(dati, true) + kCrLf + kCrLf
        + m_traduci(QStringLiteral("MSGFIRMACONFERMAREG"));
}
