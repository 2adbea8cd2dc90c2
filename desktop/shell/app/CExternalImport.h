#pragma once

#include <QString>

#include <functional>

// The automatic import of outside data into a project, registered by the
// library that has it while it is loaded:
//   static const CExternalImport s_import([](const QString& folder) { ...; return goOn; });
// It answers false when the main window was closed while it ran: the
// opening then stops and the program ends.
// The application takes it when it starts; without one the merchant is
// never offered an import.
class CExternalImport
{
public:
    using Run = std::function<bool(const QString& projectFolder)>;

    explicit CExternalImport(Run run) { Slot() = std::move(run); }
    static const Run& Registered() { return Slot(); }

private:
    static Run& Slot()
    {
        static Run run;
        return run;
    }
};
