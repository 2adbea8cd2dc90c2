#pragma once

#include <QString>

// What the text import needs to ask the merchant while it runs. The dialog
// answers with a message box, tests with a fake that records.
class IImportDatiUi
{
public:
    virtual ~IImportDatiUi() = default;
    // A line could not be imported (message names its number and why).
    // True skips the line and goes on; false stops the import, which then
    // leaves the database as it was.
    virtual bool GoOnAfterBadLine(const QString& message) = 0;
};
