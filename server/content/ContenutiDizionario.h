#pragma once

#include <QPointer>
#include <QString>

class CAdoConnection;
class Dizionario;
class IAspServer;

// The visitor texts a content, forum or chat call needs: a dictionary
// object made for the page (QTR50.Dizionario), on the caller's connection
// when the page shares one, freed when this goes.
class ContenutiDizionario
{
public:
    ContenutiDizionario(IAspServer* server, bool condivisa, CAdoConnection* connessione);
    ~ContenutiDizionario();
    ContenutiDizionario(const ContenutiDizionario&) = delete;
    ContenutiDizionario& operator=(const ContenutiDizionario&) = delete;

    QString operator()(const QString& codice) const;

private:
    QPointer<Dizionario> m_dizionario;
};
