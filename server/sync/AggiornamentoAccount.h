#pragma once

#include <QString>

// The shop accounts of the host database, as the operator keeps them: one
// row of Utenti per shop, its folder under the archives and the hash of the
// password the shop's desktop logs in with.
class AggiornamentoAccount
{
public:
    // hostDbFolder holds the host database (database.mdb or sqlserver.ini);
    // it is created with its tables when there is none yet.
    explicit AggiornamentoAccount(const QString& hostDbFolder);

    // A new shop: its code and its folder name under the archives (a plain
    // name). Throws std::invalid_argument for a code already taken or a
    // folder that is not a plain name.
    void AggiungiNegozio(const QString& codice, const QString& cartella);
    // Throws std::invalid_argument for an unknown code or an empty password.
    void ImpostaPassword(const QString& codice, const QString& password);

private:
    QString m_cartella;
};
