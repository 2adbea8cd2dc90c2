#pragma once

#include "desktop/content/CChiSiamoCore.h"
#include "desktop/shell/app/ITindaView.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The "Chi siamo" page of "Parametri aziendali": the presentation text of
// the editing language and its logo. It lives while its tab is shown and
// saves the text, when changed, on a language change and when it goes. The
// rules are CChiSiamoCore.
class CChiSiamoDlg : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    CChiSiamoDlg(CDaoDatabase& db, const QString& projectFolder, const QString& language,
                 QWidget* parent = nullptr);
    ~CChiSiamoDlg() override;

    CChiSiamoCore& Core() { return m_core; }
    QPlainTextEdit* TextEdit() const { return m_pText; }
    QLabel* Logo() const { return m_pLogo; }
    QPushButton* ChooseLogoButton() const { return m_pChoose; }

    bool IsRecordModified() override;
    bool SaveRecord() override;
    void RefreshLanguage() override;

    // The main frame's editing language, asked on a change.
    std::function<QString()> m_currentLanguage;
    // The picture the merchant chooses; an empty text when cancelled.
    std::function<QString()> m_chooseFile;

private:
    void ChooseLogo();
    void ShowLanguage();
    void ShowLogo();
    void resizeEvent(QResizeEvent* event) override;

    CChiSiamoCore m_core;
    QPlainTextEdit* m_pText = nullptr;
    QLabel* m_pLogo = nullptr;
    QPushButton* m_pChoose = nullptr;
};
