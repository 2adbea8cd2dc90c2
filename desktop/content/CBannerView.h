#pragma once

#include "desktop/content/CBannerViewCore.h"
#include "desktop/shell/app/ITindaView.h"

#include <QWidget>

#include <functional>

class CValidatedEdit;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QToolButton;

// "Banner": the banners on the left, the chosen one's fields, its file and
// a preview of its picture. The rules are CBannerViewCore.
class CBannerView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    CBannerView(CDaoDatabase& db, const QString& projectFolder, QWidget* parent = nullptr);

    enum Button { AddButton, SaveButton, DeleteButton, FileButton, ButtonCount };
    enum Field { Codice, Link, DallaData, AllaData, ComparsePreviste, ComparseEffettive, FieldCount };

    CBannerViewCore& Core() { return m_core; }
    CValidatedEdit* Edit(Field field) const { return m_edits[field]; }
    QComboBox* Tipo() const { return m_pTipo; }
    QCheckBox* Esterno() const { return m_pEsterno; }
    QListWidget* List() const { return m_pList; }
    QLabel* Preview() const { return m_pPreview; }
    QToolButton* GetButton(Button button) const { return m_buttons[button]; }

    // "Correlazioni" of the banner menu.
    bool IsViewCommandEnabled(int id) override;
    void OnViewCommand(int id) override;

    // The file the merchant chooses; an empty text when cancelled.
    std::function<QString()> m_chooseFile;
    // Opens the correlations of the banner with this ID and code.
    std::function<void(qint32 id, const QString& code)> m_openCorrelations;
    // Runs "Tipo Banner" on the database; "Tipo" is filled again after it.
    std::function<void(CDaoDatabase&)> m_editTypes;

private:
    CBannerViewCore::Form Pull() const;
    void Push(const CBannerViewCore::Form& form);
    void OnButton(int button);
    void OnBannerClicked();
    void ShowBanners();
    void ShowControls();
    void ShowPreview();
    void ShowTypes();

    CDaoDatabase& m_db;
    CBannerViewCore m_core;
    CValidatedEdit* m_edits[FieldCount] = {};
    QComboBox* m_pTipo = nullptr;
    QCheckBox* m_pEsterno = nullptr;
    QCheckBox* m_pShowPreview = nullptr;
    QListWidget* m_pList = nullptr;
    QLabel* m_pPreview = nullptr;
    QToolButton* m_buttons[ButtonCount] = {};
};
