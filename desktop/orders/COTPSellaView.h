#pragma once

#include "desktop/orders/COTPSellaViewCore.h"
#include "desktop/shell/app/ITindaView.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// "OTP Banca Sella": choose the gateway's request and answer files, load
// them, and see how many passwords the project holds.
class COTPSellaView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    explicit COTPSellaView(CDaoDatabase& db, QWidget* parent = nullptr);

    // The open dialog, replaced by tests: (default extension, filter) -> path.
    std::function<QString(const QString& extension, const QString& filter)> m_chooseFile;

    COTPSellaViewCore& Core() { return m_core; }
    QLineEdit* RequestPath() const { return m_pRichiesteFile; }
    QLineEdit* AnswerPath() const { return m_pRisposteFile; }
    QPushButton* StartButton() const { return m_pAvvio; }
    QLabel* Status() const { return m_pStatus; }

    void ChooseRequests();
    void ChooseAnswers();
    void Start();

private:
    void ShowCounts();

    COTPSellaViewCore m_core;
    QLineEdit* m_pRichiesteFile;
    QLineEdit* m_pRisposteFile;
    QLineEdit* m_pRichieste;
    QLineEdit* m_pRisposte;
    QLabel* m_pStatus;
    QLabel* m_pWarning;
    QProgressBar* m_pProgress;
    QPushButton* m_pAvvio;
};
