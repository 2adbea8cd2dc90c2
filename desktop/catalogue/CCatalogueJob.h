#pragma once

#include "desktop/catalogue/ICatalogueProgress.h"

#include <QString>

#include <atomic>

// Base of the catalogue's long jobs (text import, bulk price update, index
// ordering): Run answers Done, Cancelled or Failed with Error() beside it.
// A stop is requested through an atomic flag ("Annulla", closing the
// window) that the job reads between items, never halfway through one.
class CCatalogueJob
{
public:
    enum Result { Done, Cancelled, Failed };

    virtual ~CCatalogueJob() = default;

    virtual Result Run(ICatalogueProgress& progress) = 0;

    void RequestStop() { m_bStop = true; }
    bool IsStopRequested() const { return m_bStop.load(); }
    QString Error() const { return m_strError; }

protected:
    // Reports done items and lets events through; true when a stop was
    // requested meanwhile.
    bool Step(ICatalogueProgress& progress, int done)
    {
        progress.SetDone(done);
        progress.PumpMessages();
        return IsStopRequested();
    }

    std::atomic<bool> m_bStop{false};
    QString m_strError;
};
