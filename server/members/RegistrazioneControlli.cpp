#include "server/members/RegistrazioneControlli.h"

#include "platform/mail/CSmtpMessage.h"
#include "server/members/MembriCampi.h"

#include <QRegularExpression>

namespace {

class Verifica
{
public:
    Verifica(const RegistrazioneModulo& modulo, const RegistrazioneRegole& regole)
        : m_modulo(modulo), m_regole(regole)
    {
    }

    bool Elencato(const char* nome) const
    {
        return m_regole.campiObbligatori.contains(QLatin1Char('#') + QLatin1String(nome) + QLatin1Char('#'));
    }

    QString Valore(const char* nome) const { return m_modulo.campi.value(QLatin1String(nome)); }

    // A listed field must be filled, except by a mailing-only member; no
    // field may be longer than its column.
    bool Fallisce(const char* nome) const
    {
        const MembroCampo& campo = MembriCampi::Campo(QLatin1String(nome));
        const QString valore = Valore(nome);
        if (valore.size() > campo.lunghezza)
            return true;
        return Elencato(nome) && m_modulo.tipo != RegistrazioneControlli::kTipoMailing && valore.isEmpty();
    }

    bool FallisceEmail() const
    {
        const QString email = Valore("Email");
        if (email.size() > MembriCampi::Campo(QStringLiteral("Email")).lunghezza)
            return true;
        if (email.isEmpty())
            return Elencato("Email") || m_modulo.tipo == RegistrazioneControlli::kTipoMailing;
        return !CSmtpMessage::CheckMailbox(email).isEmpty();
    }

    void Password(QStringList& falliti) const
    {
        const QString& password = m_modulo.password;
        if (password.isEmpty())
            return;
        if (password.size() > RegistrazioneControlli::kLunghezzaPassword)
            falliti << QStringLiteral("ERRLUNGHPASSWORD");
        if (m_regole.lunghezzaMinimaPassword >= 1 && password.size() < m_regole.lunghezzaMinimaPassword)
            falliti << QStringLiteral("ERRLUNGMINPSWD");
        static const QRegularExpression cifre(QStringLiteral("^[0-9]+$"));
        if (m_regole.passwordNumerica && !cifre.match(password).hasMatch())
            falliti << QStringLiteral("ERRPASSWORDNUMERICA");
        if (m_modulo.conferma != password)
            falliti << QStringLiteral("ERRCONFERMAPASSWORD");
    }

private:
    const RegistrazioneModulo& m_modulo;
    const RegistrazioneRegole& m_regole;
};

} // namespace

QStringList RegistrazioneControlli::Falliti(const RegistrazioneModulo& modulo, const RegistrazioneRegole& regole,
                                            const Duplicato& giaRegistrato)
{
    const Verifica v(modulo, regole);
    QStringList falliti;
    if (v.Elencato("Interessi") && !modulo.interesseScelto)
        falliti << QStringLiteral("ERRINTERESSI");
    if ((v.Elencato("Note") && modulo.note.isEmpty()) || modulo.note.size() > kLunghezzaNote)
        falliti << QStringLiteral("ERRNOTE");
    if (v.Fallisce("Web"))
        falliti << QStringLiteral("ERRWEB");
    if (v.FallisceEmail())
        falliti << QStringLiteral("ERREMAIL");
    // An empty address is no one's: check 4 already reports it.
    if (modulo.tipo == kTipoMailing && !v.Valore("Email").isEmpty()
        && giaRegistrato(QStringLiteral("Email"), v.Valore("Email")))
        falliti << QStringLiteral("ERREMAILDUP");
    v.Password(falliti);
    for (const char* nome : {"Cellulare", "Fax", "Telefono", "CFPI"})
        if (v.Fallisce(nome))
            falliti << QLatin1String(MembriCampi::Campo(QLatin1String(nome)).codice);
    if (regole.nuovo && regole.controlloCFPI && giaRegistrato(QStringLiteral("CFPI"), v.Valore("CFPI")))
        falliti << QStringLiteral("ERRECFPIDUP");
    for (const char* nome : {"Stato", "Provincia", "Localita", "Cap", "Indirizzo", "Cognome", "Nome", "RagioneSociale"})
        if (v.Fallisce(nome))
            falliti << QLatin1String(MembriCampi::Campo(QLatin1String(nome)).codice);
    return falliti;
}

QString RegistrazioneControlli::UltimoFallito(const RegistrazioneModulo& modulo, const RegistrazioneRegole& regole,
                                              const Duplicato& giaRegistrato)
{
    const QStringList falliti = Falliti(modulo, regole, giaRegistrato);
    return falliti.isEmpty() ? QString() : falliti.last();
}
