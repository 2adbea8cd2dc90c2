#pragma once

#include "desktop/shell/app/CRecordCommands.h"
#include "desktop/catalogue/CProdottiElenco.h"
#include "desktop/catalogue/CProdottoCategorie.h"
#include "desktop/catalogue/CProdottoFoto.h"
#include "desktop/catalogue/ProdottoForm.h"
#include "desktop/catalogue/TaglieProdotto.h"

#include <QSet>
#include <QString>

#include <functional>
#include <memory>

class CDaoDatabase;
class CProdottiGeneraleSet;
class CSostituzioneFile;

// The rules of the product card, without widgets: the products of the
// catalogue (or the variants of one base product), the one shown with its
// texts and prices in the editing language (the default language's row as
// fallback), the record buttons, the three-state filter, the insertion
// with a reserved ID, the save, the cascading delete, the category ticks,
// the search words, the picture and the tab rules. The widget copies the
// controls into Form() before each call and shows Form() and the state
// after it.
class CProdottiViewCore : public CRecordCommands
{
public:
    enum Tab { TabGenerale, TabPrezzi, TabImmagine, TabColori, TabTaglie, TabCustom, TabFiles, TabCount };
    enum FilterMode { FilterNone, FilterEntering, FilterActive };
    enum Control
    {
        NoControl = 0,
        CtlCodice = 1003, CtlNome = 1004, CtlDescrizioneFattura = 1005,
        CtlPrezzo = 1008, CtlIva = 1009, CtlSconto = 1014, CtlPrezzoPromozione = 1015,
    };

    // Where a refused save points: the page (-1 the form) and the control.
    struct Failure
    {
        int page = -1;
        int control = NoControl;
        bool IsFailed() const { return control != NoControl; }
    };

    CProdottiViewCore(CDaoDatabase& database, const QString& projectFolder, qint32 baseProduct = 0);
    ~CProdottiViewCore();

    void SetLanguages(const QString& current, const QString& fallback);
    // Reads the settings, opens the products and shows the first.
    void Start();
    // Before the editing language changes: what was typed is saved in the
    // language being left; false when that save fails (the change must not
    // happen, or the typed edits would be shown over and lost).
    bool LeaveLanguage();
    // Another editing language: texts and prices of the shown product in it.
    // Nothing changes when what was typed cannot be saved.
    void RefreshLanguage(const QString& current, const QString& fallback);

    // What the controls hold; the widget fills it before each call.
    ProdottoForm& Form() { return m_form; }
    qint32 BaseProduct() const { return m_nBase; }
    bool IsInserting() const { return m_bInserting; }
    qint32 ReservedID() const { return m_nReserved; }
    int GetFilterMode() const { return m_nFilterMode; }
    qint32 RecordCount() const { return m_nCount; }
    bool IsEditingEnabled() const { return m_nCount > 0 || m_bInserting; }
    // The shown product's ID; 0 when none (empty, inserting).
    qint32 CurrentID() const;
    bool IsFallbackRow() const { return m_bFallback; }
    // "%d / %d" of the general page.
    QString PositionText() const;
    // The two-line summary beside the code.
    QString Summary() const;
    QString VariantsCaption() const;
    // The categories ticked in the popup.
    const QSet<qint32>& Ticked() const { return m_ticked; }
    qint32 FilterCategory() const { return m_nFilterCategory; }
    int CurrentTab() const { return m_nTab; }

    // What the other pages share with the card.
    CProdottoFoto& Foto() { return m_foto; }
    TaglieProdotto& Taglie() { return m_taglie; }
    // Widths of the stored pictures (Configurazione).
    qint32 DimFoto() const { return m_nDimFoto; }
    qint32 DimThumbnail() const { return m_nDimThumbnail; }
    qint32 DimColori() const { return m_nDimColori; }
    // "IDCategoria=0" and " OR IDCategoria=%d" per category of the product,
    // and the IDs it names.
    QString CustomCategoryFilter() const;
    QList<qint32> CustomCategories() const;
    // The stored CampiCustom text of the shown row; the custom page, while
    // it is filled, answers the text of its grid through m_customText.
    const QString& CampiCustom() const { return m_strCampiCustom; }
    std::function<QString()> m_customText;
    // Asked before a save, after the form's own fields: the tab of a page
    // that refuses (it has said why), or -1.
    std::function<int()> m_checkPages;
    // Grows each time the card shows a product (or a blank form), so the
    // pages know when to load again.
    int ShownCount() const { return m_nShown; }
    QString FilesFolder() const;

    // The main frame's selection of the default language.
    std::function<void()> m_selectDefaultLanguage;
    // Brings the failed field's page forward before "Campo obbligatorio!".
    std::function<void(const Failure&)> m_showFailure;

    // The record commands (TindaCommandIds) and their state.
    bool IsCommandEnabled(int id) const override;

    void MoveFirst() override;
    void MovePrev() override;
    void MoveNext() override;
    void MoveLast() override;
    void ToggleInsert() override;
    bool SaveNew() override;
    void Delete() override;
    void Filter() override;
    void ApplyFilter();
    // "Annulla modifiche": the stored product again, a new picture dropped too.
    void Undo() override;

    bool IsRecordModified();
    bool SaveRecord();
    Failure ValidateForm() const;

    // A click on a category's check box in the popup.
    void ClickCategory(qint32 category);
    // Tab change: false when refused (the widget goes back).
    bool SelectTab(int tab);

    // The offer switches of the prices page, on the form.
    static void EnableOffer(ProdottoForm& form, bool on, int mode);
    static void ChooseOfferKind(ProdottoForm& form, int kind);

protected:
    bool IsInsertOn() const override { return m_bInserting; }
    bool IsFilterOn() const override { return m_nFilterMode != FilterNone; }

private:
    bool IsOnRecord() const;
    void OpenProducts();
    void OpenCurrent();
    void MoveTo(void (CProdottiElenco::*move)());
    void CountRecords();
    void ShowRecord();
    void BlankForm(int flags);
    QString SortKey(const ProdottoForm& form) const;
    QString CustomTextNow() const;
    bool Refuse(const Failure& failure);
    bool PagesRefuse();
    void BringForward(int tab);
    bool LeaveRecord();
    bool PrepareFoto(qint32 id);
    void CommitFoto(CSostituzioneFile& replacement);
    void RestoreBaseFilter();
    void EndFilterEntry();

    CDaoDatabase& m_db;
    QString m_strProjectFolder;   // ends with "/"
    qint32 m_nBase;
    QString m_strCurrent;
    QString m_strDefault;
    qint32 m_nDimFoto = 0;
    qint32 m_nDimThumbnail = 0;
    qint32 m_nDimColori = 0;
    int m_nTipoOrdinamento = 0;

    CProdottiElenco m_list;
    std::unique_ptr<CProdottiGeneraleSet> m_pProducts;   // the shown product's row
    CProdottoCategorie m_categories;
    CProdottoFoto m_foto;
    qint32 m_nCount = 0;
    bool m_bInserting = false;
    qint32 m_nReserved = 0;
    int m_nFilterMode = FilterNone;
    qint32 m_nFilterCategory = 0;
    int m_nTab = TabGenerale;
    int m_nShown = 0;

    ProdottoForm m_form;
    ProdottoForm m_shown;          // the form as the shown record filled it
    qint32 m_nLanguageRow = 0;     // ProdottiLingue.ID shown, 0 none
    bool m_bFallback = false;      // the row shown is another language's
    QString m_strStoredSort;
    QString m_strCampiCustom;
    TaglieProdotto m_taglie;
    TaglieProdotto m_storedTaglie;
    QSet<qint32> m_ticked;
};
