#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>

class CConfigurazioneSet;
class CDaoDatabase;

// What the pages of "Parametri generali" show and the merchant changes:
// the texts of the entry fields as typed, the switches, the list choices
// and the image sizes.
struct ParGenForm
{
    enum Edit
    {
        CodiceUtente, Password, URLSito,
        Banca, ABI, CAB, CCBancario, Intestatario, CCPostale, Percentuale, Importo, CodiceEsercente, TID,
        SerieFatturazione, ServerProxy, PortaHttp, UserIDProxy, PasswordProxy,
        EditCount
    };
    QString edits[EditCount];
    bool prezziIvaCompresa = false;
    qint32 lingua = -1;     // Lingue.ID of the choice, -1 none
    qint32 valuta = -1;     // Valute.ID of the choice, -1 none
    bool bonifico = false;
    bool ccPostale = false;
    bool contrassegno = false;
    bool cartaCredito = false;
    int tipoSpese = -1;     // 0 "Fisso", 1 "Percentuale", -1 none
    QStringList sizes = QStringList(6, QString());   // rows of the image-size grid
    int ordinamento = -1;   // index of "Ordinamento indice prodotti", -1 none
};

// Which payment controls are open, as the switches leave them.
struct PaymentControls
{
    bool bonifico = false;
    bool ccPostale = false;
    bool radios = false;
    bool importo = false;
    bool percentuale = false;
    bool cartaCredito = false;
    QString importoLabel = QStringLiteral("Importo");
};

// The rules of "Parametri generali" (the one Configurazione row): loading,
// the modified test, the payment switches, validation and the save, which
// re-orders the product index when its order changed.
class CParGenViewCore
{
public:
    struct EditSpec
    {
        ParGenForm::Edit edit;
        int page;
        int id;
        const char* label;
        quint8 kind;
        int width;
        int flag;
        int decimals;
        const char* allowed;
        bool password;
    };
    static const QVector<EditSpec>& Edits();
    static const EditSpec& Spec(ParGenForm::Edit edit);
    static const QStringList& SizeRows();
    static const QStringList& OrderingItems();

    struct Choice
    {
        QString text;
        qint32 id;
    };

    // Where a failed validation points: the page and the edit or size row.
    struct Failure
    {
        int page = -1;
        int edit = -1;      // ParGenForm::Edit, page 2
        int sizeRow = -1;   // page 3
    };

    // The ordering of the product index by the mode given; the catalogue
    // registers it. Without it the new order is only stored. False when the
    // keys were not rewritten (stopped or failed): the old mode then stays.
    using IndexOrdering = std::function<bool(CDaoDatabase& db, int mode)>;
    static void SetIndexOrdering(IndexOrdering ordering);

    explicit CParGenViewCore(CDaoDatabase& db);
    ~CParGenViewCore();

    // Currencies and active languages, sorted by text, for the two lists.
    QVector<Choice> Currencies();
    QVector<Choice> Languages();

    ParGenForm Load();
    bool IsRecordModified(const ParGenForm& form);
    // The payment switches: what is open, and blanks what is closed.
    static PaymentControls ApplyPaymentRules(ParGenForm& form);
    // "Contrassegno" switched on starts as "Fisso"; choosing a kind blanks
    // both amounts. Each applies the payment rules after.
    static PaymentControls SwitchCashOnDelivery(ParGenForm& form, bool on);
    static PaymentControls ChooseCashKind(ParGenForm& form, int kind);
    bool ValidateFields(const ParGenForm& form, Failure* failure) const;
    // Validates (telling "Campo obbligatorio!" after showPage(failure.page))
    // and writes the row. False when a field is missing; failure says which.
    bool SaveRecord(const ParGenForm& form, Failure* failure, const std::function<void(int page)>& showPage = {});

    // How a re-ordering runs; by default the registered one. False when the
    // keys were not rewritten.
    std::function<bool(int mode)> m_runIndexOrdering;

private:
    void WriteRow(const ParGenForm& form);

    CDaoDatabase& m_db;
    std::unique_ptr<CConfigurazioneSet> m_pSet;
};
