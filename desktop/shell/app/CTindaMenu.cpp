#include "desktop/shell/app/CTindaMenu.h"

#include "desktop/shell/app/TindaCommandIds.h"

const QStringList& CTindaMenu::Popups()
{
    static const QStringList popups = {
        QStringLiteral("&File"),        QStringLiteral("&Visualizza"),
        QStringLiteral("&Configurazione"), QStringLiteral("Ca&talogo"),
        QStringLiteral("Co&ntenuti"),   QStringLiteral("&Articoli"),
        QStringLiteral("&Banner"),      QStringLiteral("&Forum"),
        QStringLiteral("Area &Riservata"), QStringLiteral("&Aiuto"),
    };
    return popups;
}

const QVector<CTindaMenu::Item>& CTindaMenu::Items()
{
    static const QString file = QStringLiteral("&File");
    static const QString publishing = QStringLiteral("&File/Pubblicazione");
    static const QString siteUpdate = QStringLiteral("&File/Aggiornamento sito");
    static const QString view = QStringLiteral("&Visualizza");
    static const QString settings = QStringLiteral("&Configurazione");
    static const QString catalogue = QStringLiteral("Ca&talogo");
    static const QString products = QStringLiteral("Ca&talogo/Prodotti");
    static const QString contents = QStringLiteral("Co&ntenuti");
    static const QString contentsCatalogue = QStringLiteral("Co&ntenuti/Ca&talogo");
    static const QString orders = QStringLiteral("Co&ntenuti/&Ordini");
    static const QString articles = QStringLiteral("&Articoli");
    static const QString banner = QStringLiteral("&Banner");
    static const QString forum = QStringLiteral("&Forum");
    static const QString members = QStringLiteral("Area &Riservata");
    static const QString help = QStringLiteral("&Aiuto");

    static const QVector<Item> items = {
        {file, ID_FILE_NEW, QStringLiteral("&Nuovo\tCtrl+N")},
        {file, ID_FILE_OPEN, QStringLiteral("&Apri...\tCtrl+A")},
        {file, 0, {}},
        {publishing, ID_PROGETTAZIONE_MODELLO, QStringLiteral("&Progettazione modello grafico")},
        {publishing, ID_ANTEPRIMA, QStringLiteral("&Anteprima")},
        {publishing, ID_CREAZIONE_CD_ROM, QStringLiteral("&Creazione CD ROM")},
        {siteUpdate, ID_AGGIORNAMENTO_SITO_DATI, QStringLiteral("Dati e immagini")},
        {siteUpdate, ID_AGGIORNAMENTO_SITO_MODELLO, QStringLiteral("Modello grafico")},
        {file, 0, {}},
        {file, ID_APP_EXIT, QStringLiteral("&Esci")},

        {view, ID_VIEW_TOOLBAR, QStringLiteral("&Barra degli strumenti")},
        {view, ID_VIEW_STATUS_BAR, QStringLiteral("Barra di &stato")},

        {settings, ID_PARAMETRI_GENERALI, QStringLiteral("Parametri &Generali")},
        {settings, ID_PARAMETRI_AZIENDALI, QStringLiteral("Parametri &Aziendali")},
        {settings, 0, {}},
        {settings, ID_VALUTE, QStringLiteral("&Valute")},
        {settings, ID_LINGUE, QStringLiteral("&Lingue")},
        {settings, ID_DIZIONARIO, QStringLiteral("&Dizionario")},
        {settings, 0, {}},
        {settings, ID_SPESE_SPEDIZIONE, QStringLiteral("&Spese di spedizione")},

        {products, ID_ARCHIVIO_PRODOTTI, QStringLiteral("Scheda")},
        {products, ID_TABELLA_PRODOTTI, QStringLiteral("Tabella")},
        {products, ID_CORRELAZIONI_PRODOTTI, QStringLiteral("Correlazioni")},
        {catalogue, 0, {}},
        {catalogue, ID_DEFINIZIONE_CAMPI_CUSTOM, QStringLiteral("&Definizione campi custom")},
        {catalogue, ID_AGGIORNAMENTO_LISTINI, QStringLiteral("&Aggiornamento listini")},

        {contentsCatalogue, ID_CATEGORIE, QStringLiteral("Ca&tegorie")},
        {orders, ID_ARCHIVIO_ORDINI, QStringLiteral("&Archivio Ordini")},
        {orders, ID_AGGIORNAMENTO_ORDINI, QStringLiteral("A&ggiornamento ordini")},
        {orders, 0, {}},
        {orders, ID_NOTIFICA_CLIENTE, QStringLiteral("&Notifica cliente")},
        {orders, ID_CONDIZIONI_VENDITA, QStringLiteral("&Condizioni di vendita")},
        {orders, 0, {}},
        {orders, ID_EMETTI_FATTURA, QStringLiteral("Emetti &fattura")},
        {orders, ID_CANCELLA_FATTURA, QStringLiteral("Cance&lla fattura")},
        {orders, 0, {}},
        {orders, ID_OTP_BANCA_SELLA, QStringLiteral("&OTP Banca Sella")},
        {contents, 0, {}},
        {contents, ID_SEZIONI, QStringLiteral("&Sezioni")},
        {contents, ID_MODULI, QStringLiteral("&Moduli")},
        {contents, ID_ARGOMENTI_CHAT, QStringLiteral("Argomenti &Chat")},

        {articles, ID_ARTICOLI, QStringLiteral("Scheda")},
        {articles, ID_TABELLA_ARTICOLI, QStringLiteral("Tabella")},
        {articles, ID_CORRELAZIONI_ARTICOLI, QStringLiteral("Correlazioni")},

        {banner, ID_BANNER, QStringLiteral("Scheda")},
        {banner, ID_CORRELAZIONI_BANNER, QStringLiteral("Correlazioni")},

        {forum, ID_ARGOMENTI_FORUM, QStringLiteral("&Argomenti")},
        {forum, ID_INTERVENTI_FORUM, QStringLiteral("&Interventi")},

        {members, ID_UTENTI, QStringLiteral("&Utenti")},
        {members, ID_GRUPPI, QStringLiteral("&Gruppi")},
        {members, ID_PERMESSI, QStringLiteral("&Permessi")},
        {members, 0, {}},
        {members, ID_SCONTI, QStringLiteral("&Sconti")},
        {members, 0, {}},
        {members, ID_INTERESSI, QStringLiteral("&Interessi")},
        {members, ID_MAILING_LIST, QStringLiteral("&Mailing list")},
        {members, ID_CREDITO_SMS, QStringLiteral("Credito SMS")},

        {help, ID_HELP_INDEX, QStringLiteral("&Indice")},
        {help, 0, {}},
        {help, ID_PRODUCT_WEB, QStringLiteral("Quintaro sul &web")},
        {help, ID_SUPPORT_WEB, QStringLiteral("&Supporto tecnico")},
        {help, ID_MAKER_WEB, QStringLiteral("&Morvella sul web")},
        {help, 0, {}},
        {help, ID_APP_ABOUT, QStringLiteral("Infor&mazioni su Quintaro...")},
    };
    return items;
}

const CTindaMenu::Item* CTindaMenu::Find(int id)
{
    for (const Item& item : Items())
        if (item.nId == id)
            return &item;
    return nullptr;
}
