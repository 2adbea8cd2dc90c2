#pragma once

#include "desktop/shell/settings/CGridEditorView.h"

class CDaoDatabase;
class CDefCampiCustomViewCore;
class CTreePopupDlg;
class CValidatedEdit;

// "Definizione campi custom": the custom fields of the products, for all
// categories or for the one chosen with "...". The rules are
// CDefCampiCustomViewCore.
class CDefCampiCustomView : public CGridEditorView
{
    Q_OBJECT
public:
    CDefCampiCustomView(CDaoDatabase& db, const QString& currentLanguage, const QString& defaultLanguage,
                        QWidget* parent = nullptr);
    CDefCampiCustomViewCore& Core();

    CValidatedEdit* CategoryEdit() const { return m_pCategory; }
    CTreePopupDlg* TreePopup() const { return m_pPopup; }
    QToolButton* ChooseButton() const { return m_pChoose; }
    void ChooseCategory(qint32 id, const QString& text);

    // The category names follow the editing language.
    void RefreshLanguage() override;
    std::function<QString()> m_currentLanguage;
    std::function<QString()> m_defaultLanguage;

private:
    void FillTree(const QString& currentLanguage, const QString& defaultLanguage);

    CDaoDatabase& m_db;
    CValidatedEdit* m_pCategory;
    QToolButton* m_pChoose;
    CTreePopupDlg* m_pPopup;
};
