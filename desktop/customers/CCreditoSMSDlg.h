#pragma once

#include <QDialog>

class CDaoDatabase;
class QLabel;

// "Credito SMS": asks the shop server for the SMS credit as it opens and
// shows the answer in one line. The request runs beside the window, which
// stays responsive and may be closed before the answer comes.
class CCreditoSMSDlg : public QDialog
{
    Q_OBJECT
public:
    CCreditoSMSDlg(CDaoDatabase& db, QWidget* parent = nullptr);

    QString Text() const;

signals:
    // The line is in (tests wait for it).
    void Answered();

private:
    QLabel* m_pText;
};
