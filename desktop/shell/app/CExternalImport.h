#pragma once

#include <QString>

#include <functional>

// The automatic import of outside data into a project, registered by the
// library that has it while it is loaded:
//   static const CExternalImport s_import([](const QString& folder) { ... });
// The application takes it when it starts; without one the merchant is
// never offered an import.
class CExternalImport
{
public:
    using Run = std::function<void(const QString& projectFolder)>;

    explicit CExternalImport(Run run) { Slot() = std::move(run); }
    static const Run& Registered() { return Slot(); }

private:
    static Run& Slot()
    {
        static Run run;
        return run;
    }
};
