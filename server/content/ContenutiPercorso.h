#pragma once

#include <QString>

class CAdoConnection;

// The path of links from the top of a tree (sections, forum topics, chat
// rooms) down to one of its rows, joined by " | ", each link to the
// page that lists the row with the name in the visitor's language. Names
// are the merchant's text and are written as text; a loop in the tree
// ends the walk.
struct ContenutiPercorso
{
    QString tabella;          // "Sezioni"
    QString colonnaPadre;     // "IDSezionePadre"
    QString tabellaLingue;    // "SezioniLingue"
    QString chiaveLingue;     // "IDSezione"
    QString argomentoUrl;     // "IDSezione"

    QString Calcola(CAdoConnection* connessione, qint32 id, const QString& pagina, const QString& lingua,
                    const QString& predefinita) const;
};
