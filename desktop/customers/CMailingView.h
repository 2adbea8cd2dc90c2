#pragma once

#include "desktop/customers/CMailingInvio.h"
#include "desktop/customers/CMailingViewCore.h"
#include "desktop/shell/app/ITindaView.h"

#include <QWidget>

#include <functional>
#include <memory>

class CJobRunner;
class IMailingSms;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;

// "Invio mailing list": the message per language, the recipients by
// interests and kinds, the promoted products, and the run, which goes on
// a worker (CMailingInvio) while the progress bar and status follow it.
class CMailingView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    using SmsFactory = std::function<std::unique_ptr<IMailingSms>()>;

    CMailingView(CDaoDatabase& db, const QString& projectFolder, const QString& currentLanguage,
                 const QString& defaultLanguage, QWidget* parent = nullptr);
    ~CMailingView() override;

    // The shop server's SMS requests go through CMailingSmsRequests; a test
    // puts a stand-in here.
    static void SetSmsFactory(SmsFactory factory);

    CMailingViewCore& Core() { return m_core; }
    QTabWidget* Tabs() const { return m_pTabs; }
    QCheckBox* MailBox() const { return m_pMail; }
    QCheckBox* SmsBox() const { return m_pSms; }
    QPushButton* SendButton() const { return m_pInvio; }
    QListWidget* KindList() const { return m_pKinds; }
    QListWidget* InterestList() const { return m_pInterests; }
    QListWidget* FieldList() const { return m_pFields; }
    QListWidget* UsersList() const { return m_pUsers; }
    QPlainTextEdit* PromoText() const { return m_pPromo; }
    QLineEdit* Edit(int index) const { return m_edits[index]; }
    QPlainTextEdit* BodyEdit() const { return m_pBody; }
    bool IsSending() const;
    // The outcome of the last run, once it has ended.
    const CMailingInvio::Outcome& LastOutcome() const { return m_outcome; }
    // Shows the log at the end of a run; a test replaces it.
    std::function<void(const QString& log)> m_showLog;

    enum EditIndex { EditSms, EditServer, EditSubject, EditSender, EditSignature, EditUrl, EditCount };

    void RefreshLanguage() override;
    std::function<QString()> m_currentLanguage;

    void OnInvio();

signals:
    void SendFinished();

private:
    QWidget* BuildMessaggio();
    QWidget* BuildDestinatari();
    QWidget* BuildPromo();
    void Pull();
    void Push();
    void OnChecksChanged();
    void OnRunEnded();

    CDaoDatabase& m_db;
    CMailingViewCore m_core;
    QTabWidget* m_pTabs = nullptr;
    QLineEdit* m_edits[EditCount] = {};
    QPlainTextEdit* m_pBody = nullptr;
    QCheckBox* m_pInsertPromo = nullptr;
    QListWidget* m_pKinds = nullptr;
    QListWidget* m_pInterests = nullptr;
    QListWidget* m_pUsers = nullptr;
    QPushButton* m_pShowUsers = nullptr;
    QListWidget* m_pFields = nullptr;
    QPlainTextEdit* m_pPromo = nullptr;
    QPushButton* m_pShowPromo = nullptr;
    QProgressBar* m_pProgress = nullptr;
    QLabel* m_pStatus = nullptr;
    QCheckBox* m_pMail = nullptr;
    QCheckBox* m_pSms = nullptr;
    QPushButton* m_pInvio = nullptr;

    std::unique_ptr<CJobRunner> m_runner;
    std::unique_ptr<IMailingSms> m_sms;
    std::unique_ptr<CMailingInvio::IUi> m_ui;
    CMailingInvio::Outcome m_outcome;
};
