#pragma once

#include "desktop/publishing/cdrom/CCdImageBuilder.h"
#include "desktop/shell/controls/CJobRunner.h"
#include "desktop/shell/controls/CProgressDlg.h"

class QLabel;

// Runs the CD image build on a worker thread while it shows the status
// line and the counts; "Annulla" or closing stops it between files and
// records, and the dialog goes once the job has ended.
class CCdRomBuildDlg : public CProgressDlg, private ICatalogueProgress
{
    Q_OBJECT
public:
    explicit CCdRomBuildDlg(QWidget* parent = nullptr);

    CCdImageBuilder::Result RunTask(CCdImageBuilder& builder);
    QString StatusText() const;

public slots:
    void reject() override;

private:
    void SetLabel(const QString& text) override;
    void SetTotal(int total) override;
    void SetDone(int done) override;

    class Queued;
    QLabel* m_pStatus = nullptr;
    CCdImageBuilder* m_pBuilder = nullptr;
    CCdImageBuilder::Result m_result = CCdImageBuilder::Failed;
    CJobRunner m_runner;
};
