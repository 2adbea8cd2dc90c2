#pragma once

#include <QString>

// What a catalogue job tells the one watching it, in counts: the label of
// the step, the number of items the step is about to go through, and how
// many of them are done. The job's dialog shows "n / m"; tests record it.
// The calls come from the job's thread, which may be a worker: a dialog
// passes them on to its own thread queued (CJobRunner::Post).
class ICatalogueProgress
{
public:
    virtual ~ICatalogueProgress() = default;
    virtual void SetLabel(const QString& text) = 0;
    // Announced before the step's first item; nothing is done yet.
    virtual void SetTotal(int total) = 0;
    virtual void SetDone(int done) = 0;
};
